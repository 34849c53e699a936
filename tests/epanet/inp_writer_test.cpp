#include "epanet/inp_writer.h"

#include <gtest/gtest.h>

namespace plovis {
namespace {

PipeRow pipe(int row, const char* from, const char* to, double flow, std::array<double, 4> heads) {
    PipeRow r;
    r.row = row;
    r.from = from;
    r.to = to;
    r.pipeLength = 110;
    r.flow = flow;
    r.startGround = heads[0];
    r.endGround = heads[1];
    r.startHgl = heads[2];
    r.endHgl = heads[3];
    r.innerDiameter = 27.8;
    r.roughness = 0.00001;
    return r;
}

// The intake IN1 (100 m) feeds a break pressure tank BPT 1 (90 m, a blank in its label), whose
// outlet starts the grade line afresh at its own level and feeds tap t1; a branch leaves the
// intake for tap T2. The flows leave 0.2 l/s at t1 and 0.1 l/s at T2.
TEST(InpWriter, WritesJunctionsSourceTankValvePipesAndLayout) {
    PipeTable table;
    table.branches = {"Main", "Side"};
    table.rows = {pipe(16, "IN1", "BPT 1", 0.2, {100, 90, 100, 98}),
                  pipe(17, "BPT 1", "t1", 0.2, {90, 80, 90, 88.5}),
                  pipe(19, "in1", "T2", 0.1, {100, 95, 100, 99.25})};
    const NetworkNodes nodes = networkNodes(table);
    InpNetwork net;
    net.title = "Test\rscheme";
    net.table = &table;
    net.nodes = &nodes;
    net.positions = {{"IN1", {0, 0, 0}}, {"BPT 1", {0, -30, 0}}, {"T1", {21.2132, -51.2132, 0}}};
    net.viscosity = 1.1e-5 * 0.3048 * 0.3048;
    std::vector<std::string> warnings;
    EXPECT_EQ(networkInp(net, warnings),
              "[TITLE]\nTest scheme\n\n"
              "[JUNCTIONS]\n;ID\tElev\tDemand\n"
              "BPT_1\t90\t0\nBPT_1_OUT\t90\t0\nt1\t80\t0.2\nT2\t95\t0.1\n\n"
              "[RESERVOIRS]\n;ID\tHead\nIN1\t100\n\n"
              "[PIPES]\n;ID\tNode1\tNode2\tLength\tDiameter\tRoughness\tMinorLoss\tStatus\n"
              "R16\tIN1\tBPT_1\t110\t27.8\t0.01\t0\tOpen\n"
              "R17\tBPT_1_OUT\tt1\t110\t27.8\t0.01\t0\tOpen\n"
              "R19\tIN1\tT2\t110\t27.8\t0.01\t0\tOpen\n\n"
              "[VALVES]\n;ID\tNode1\tNode2\tDiameter\tType\tSetting\tMinorLoss\n"
              "V_BPT_1\tBPT_1\tBPT_1_OUT\t27.8\tPRV\t0\t0\n\n"
              "[OPTIONS]\nUNITS\tLPS\nHEADLOSS\tD-W\nVISCOSITY\t1.000000\nSPECIFIC GRAVITY\t1\n"
              "TRIALS\t200\nACCURACY\t0.00001\n\n[TIMES]\nDURATION\t0\n\n"
              "[REPORT]\nSTATUS\tNo\nSUMMARY\tNo\n\n"
              "[COORDINATES]\n;Node\tX-Coord\tY-Coord\n"
              "IN1\t0.000\t0.000\nBPT_1\t0.000\t-30.000\nBPT_1_OUT\t2.000\t-30.000\n"
              "t1\t21.213\t-51.213\n\n[END]\n");
    EXPECT_TRUE(warnings.empty());
}

TEST(InpWriter, IdentifiersFitEpanet) {
    EXPECT_EQ(inpIdentifier("RVT 20;m3\"x"), "RVT_20_m3_x");
    EXPECT_EQ(inpIdentifier(""), "_");
    EXPECT_EQ(inpIdentifier(std::string(40, 'A')).size(), 31u);
    // 30 ASCII letters and a two-byte letter: the letter does not fit and is dropped whole.
    EXPECT_EQ(inpIdentifier(std::string(30, 'A') + "\xC3\xA9"), std::string(30, 'A'));
}

TEST(InpWriter, ViscosityIsImpliedByTheTablesReynoldsNumbers) {
    PipeTable table;
    PipeRow r;
    r.velocity = 1.01;
    r.innerDiameter = 20;
    r.reynolds = 20000;
    table.rows = {PipeRow{}, r};
    EXPECT_DOUBLE_EQ(tableViscosity(table, 7), 1.01e-6);
    EXPECT_DOUBLE_EQ(tableViscosity(PipeTable{}, 7), 7);
}

}  // namespace
}  // namespace plovis
