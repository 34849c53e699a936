#include "sample_scheme.h"

#include <map>
#include <stdexcept>
#include <utility>

namespace plovis::sample {
namespace {

// Inner diameters (mm) of the HDPE pipes on the market, by outside diameter and class (kg/cm2).
const std::map<std::pair<int, int>, double> kHdpeBores = {
    {{25, 6}, 21.2},  {{25, 10}, 19.4}, {{32, 6}, 27.8},  {{32, 10}, 26.2}, {{40, 6}, 35.2},
    {{40, 10}, 32.6}, {{50, 6}, 44.0},  {{50, 10}, 40.8}, {{63, 6}, 55.4},  {{63, 10}, 51.4}};

// Inner diameters (mm) of medium class GI pipes by nominal bore.
const std::map<int, double> kGiBores = {{25, 27.2}, {32, 35.9}, {40, 41.8}, {50, 53.0}};

constexpr double kHdpeRoughness = 0.00001;  // m: 0.01 mm, smooth plastic
constexpr double kGiRoughness = 0.00015;    // m: 0.15 mm, galvanised steel

// Short names for the table below.
Section run(std::string direction, Pipe pipe, std::string soil, std::string structure,
            int undulation = 0, std::string remark = "") {
    return {std::move(direction), std::move(pipe), std::move(soil),
            std::move(structure), undulation,      std::move(remark)};
}

std::vector<DemandBlock> demand() {
    return {
        {"Block 1: Thulo Gaun (branch A)",
         {{"Thulo Gaun, Tole 1", "T1", 14, 4, 92, 0, 0, 0},
          {"Thulo Gaun, Tole 2 (tea shops)", "T2", 12, 4, 78, 0, 0, 500},
          {"Thulo Gaun, Tole 3", "T3", 16, 4, 103, 0, 0, 0},
          {"Sundarpur health post", "T3", 0, 4, 0, 0, 1000, 0},
          {"Thulo Gaun, Tole 4", "T4", 13, 4, 86, 0, 0, 0}}},
        {"Block 2: Sano Gaun (branch B)",
         {{"Sano Gaun, Tole 1", "T5", 11, 5, 74, 0, 0, 0},
          {"Sano Gaun, Tole 2", "T6", 15, 5, 95, 0, 0, 0},
          {"Sano Gaun, Tole 3 (water mill)", "T7", 10, 5, 68, 0, 0, 300}}},
        {"Block 3: Upper Tole and the school (branch C)",
         {{"Upper Tole", "T8", 12, 5, 81, 0, 0, 0},
          {"Shree Janata Secondary School", "T9", 0, 5, 0, 240, 0, 0}}},
    };
}

Branch mainLine() {
    Branch b{"Main Line: Intake to Reservoir", "0+000", {}, {}, true};
    b.points = {{"IN1", 0, 1862400, "Intake at Sim Dhara spring"},
                {"WO1", 2364, 1838650, "Washout at the stream bed"},
                {"AV1", 4987, 1841920, "Air valve at the ridge"},
                {"", 8652, 1808300, "Pipe class changes"},
                {"BPT1", 11765, 1794150, "Break pressure tank, 3 m3"},
                {"", 15650, 1752400, "Left bank of Sunkhani Khola"},
                {"", 16090, 1750900, "Right bank of Sunkhani Khola"},
                {"RVT1", 21350, 1761500, "Reservoir tank, 20 m3"}};
    b.sections = {run("D", hdpe(40, 6), "Soft soil", "WO", -600),
                  run("D", hdpe(40, 6), "Soft soil", "AV", 800),
                  run("D", hdpe(40, 6), "Hard soil", "", -900),
                  run("D", hdpe(40, 10), "Soft rock", "BPT", 500),
                  run("D", hdpe(40, 6), "Hard soil", "", 0),
                  run("D", gi(40), "Boulders", "", 0, "River crossing, pipe on a suspended cable"),
                  run("D", hdpe(40, 6), "Soft soil", "RVT 20 m3", 700)};
    return b;
}

Branch branchA() {
    Branch b{"Branch A: Thulo Gaun", "0+000", {}, {}, false};
    b.points = {{"RVT1", 0, 1761500, "Reservoir tank, 20 m3"},
                {"J1", 4126, 1741250, "Junction of branch B"},
                {"T1", 6030, 1732800, "Tap stand, Tole 1"},
                {"T2", 8664, 1721050, "Tap stand, Tole 2"},
                {"T3", 11587, 1706300, "Tap stand, Tole 3 and health post"},
                {"T4", 14025, 1699250, "Tap stand, Tole 4"}};
    b.sections = {run("R", hdpe(50, 6), "Soft soil", "JC", -500),
                  run("R", hdpe(40, 6), "Soft soil", "TS", 400),
                  run("DR", hdpe(40, 6), "Hard soil", "TS", -700),
                  run("R", hdpe(32, 6), "Hard soil", "TS", 600),
                  run("DR", hdpe(25, 6), "Soft soil", "TS", -400)};
    return b;
}

Branch branchB() {
    Branch b{"Branch B: Sano Gaun", "0+412.6", {}, {}, false};
    b.points = {{"J1", 0, 1741250, "Junction on branch A"},
                {"WO2", 2873, 1719800, "Washout in the gully"},
                {"", 3321, 1721300, "Far side of the gully"},
                {"T5", 4550, 1724350, "Tap stand, Tole 1"},
                {"T6", 7028, 1712650, "Tap stand, Tole 2"},
                {"T7", 9310, 1703900, "Tap stand, Tole 3"}};
    b.sections = {run("D", hdpe(40, 6), "Soft soil", "WO", -500),
                  run("D", gi(32), "Soft rock", "", 0, "Gully crossing, pipe laid above ground"),
                  run("D", hdpe(32, 6), "Hard soil", "TS", 300),
                  run("DL", hdpe(32, 6), "Soft soil", "TS", -600),
                  run("D", hdpe(25, 6), "Soft soil", "TS", 400)};
    return b;
}

Branch branchC() {
    Branch b{"Branch C: School", "0+000", {}, {}, false};
    b.points = {{"RVT1", 0, 1761500, "Reservoir tank, 20 m3"},
                {"T8", 3185, 1745900, "Tap stand, Upper Tole"},
                {"T9", 6042, 1733800, "Tap stand at the school"}};
    b.sections = {run("L", hdpe(32, 6), "Hard soil", "TS", 500),
                  run("L", hdpe(25, 6), "Soft soil", "TS", -400)};
    return b;
}

}  // namespace

Scheme sampleScheme() {
    Scheme s;
    s.title = "Sundarpur Gravity Water Supply Scheme";
    s.district = "Dolakha";
    s.wards = "Sundarpur Rural Municipality, wards 4 and 5";
    s.surveyed = "March 2024";
    s.source = "Sim Dhara spring";
    s.safeYield = "1.2 l/s";
    s.safeYieldFlow = 1.2;
    s.censusYear = 2021;
    s.growthRate = 2.25;
    s.yearsToBase = 2;
    s.yearsToDesign = 15;
    s.peakFactor = 3;
    s.perCapitaDemand = 45;
    s.perStudentDemand = 10;
    s.viscosity = 1.01e-6;
    s.gravity = 9.81;
    s.minimumResidualHead = 10;
    s.minimumFlow = 0.1;
    s.demand = demand();
    s.branches = {mainLine(), branchA(), branchB(), branchC()};
    s.lowClassBranch = "Branch A: Thulo Gaun";
    s.lowClassEnd = "T4";
    return s;
}

Pipe hdpe(int outsideDiameter, int pressureClass) {
    const auto bore = kHdpeBores.find({outsideDiameter, pressureClass});
    if (bore == kHdpeBores.end()) throw std::invalid_argument("no such HDPE pipe");
    return {false, outsideDiameter, pressureClass, "", bore->second, kHdpeRoughness};
}

Pipe gi(int nominalBore) {
    const auto bore = kGiBores.find(nominalBore);
    if (bore == kGiBores.end()) throw std::invalid_argument("no such GI pipe");
    return {true, nominalBore, 0, "M", bore->second, kGiRoughness};
}

}  // namespace plovis::sample
