// The drawing commands through the plovis program, their DXF files read by ezdxf.
#include <gtest/gtest.h>

#include <chrono>

#include "support/cli_run.h"
#include "support/file_bytes.h"
#include "support/run_command.h"
#include "support/test_paths.h"

namespace plovis {
namespace {

struct DrawingCommands : ::testing::Test {
    void SetUp() override { makeBook({}); }
    // The scheme workbook, with numbers put into cells of its ground profile ("C6=1e308").
    void makeBook(std::vector<std::string> groundCells) {
        groundCells.insert(
            groundCells.begin(),
            {(test::sourceDir() / "tests/cli/drawing_scheme.py").string(), book.string()});
        const auto made = test::runProgram("/usr/bin/python3", groundCells);
        ASSERT_EQ(made.status, 0) << made.errors;
    }
    test::CommandResult plovis(std::vector<std::string> args) {
        args.insert(args.begin() + 1, book.string());
        args.insert(args.end(), {"--out", dxf.string(), "--quiet"});
        return test::runProgram((test::binaryDir() / "src/plovis").string(), args);
    }
    test::ScratchDir dir{"drawings"};
    std::filesystem::path book = dir / "scheme.xlsx", dxf = dir / "out.dxf";
};

// Audit clean, and the texts each drawing must show (ezdxf's dump: the audit line, then a line
// per entity).
TEST_F(DrawingCommands, EachDrawingIsAuditCleanAndShowsTheScheme) {
    const std::string range = "PD-CW-Sample!B15:B22";
    const std::pair<std::vector<std::string>, std::vector<std::string>> cases[] = {
        {{"profile", "--range", range, "--png", (dir / "p.png").string(), "--pdf",
          (dir / "p.pdf").string()},
         {"\"Main line\"", "\"Branch to Tole\"", "\"SPL(1450.0)\"",
          "\"( Sheet No: 1/2 ) of Kalika Water Supply Scheme\"",
          "\"Scale: [H 1: 5000, V 1: 1000]\"", "\"H90(6)\"", "\"Rock\""}},
        {{"schematic", "--range", range},
         {"\"Scheme Name: Kalika WSS\"", "\"Source: Kalika spring\"", "\"Safe Yield = 12.500 lps\"",
          "\"90H(6)/250 m\"", "\"2.5 lps \""}},
        {{"ground-profile", "--pick", "100,200", "--paper", "A3"},
         {"\"0+000.00\"", "\"1+650.00\"", "\"1450.000\"", "\"Description\""}},
    };
    const auto before = test::readBytes(book);
    for (const auto& [args, shown] : cases) {
        SCOPED_TRACE(args[0]);
        const auto r = plovis(args);
        ASSERT_EQ(r.status, 0) << r.output << r.errors;
        const auto d = test::runProgram(
            "/usr/bin/python3",
            {(test::sourceDir() / "tests/hosts/dxf/ezdxf_dump.py").string(), dxf.string()});
        EXPECT_EQ(d.output.substr(0, d.output.find('\n')), "AUDIT errors=0 fixes=0") << d.errors;
        for (const std::string& text : shown)
            EXPECT_NE(d.output.find(text), std::string::npos) << text;
    }
    for (const char* picture : {"p.png", "p.pdf"})
        EXPECT_GT(std::filesystem::file_size(dir / picture), 1000u);
    EXPECT_EQ(test::readBytes(book), before);  // a drawing writes nothing into the workbook
}

// Without a complete drawing nothing is written: 2 when the spreadsheet question is cancelled
// (there is nobody to answer it), 1 on a reported failure, 64 on a bad pick.
TEST_F(DrawingCommands, NothingIsWrittenWhenTheCommandDoesNotComplete) {
    const struct {
        std::vector<std::string> args;
        int status;
        const char* said;
    } cases[] = {
        // clang-format off
        {{"profile", "--range", "PD-CW-Sample!B15"}, 2, "First Select the Correct Range and Then Click OK!"},
        {{"profile", "--range", "PD-CW-Sample!B15:B23"}, 1, "Error occured at the row number 25"},
        {{"schematic", "--range", "PD-CW-Sample!B15"}, 1, "Selection range is not correct."},
        {{"ground-profile"}, 1, "no reference point was picked"},
        {{"ground-profile", "--pick", "1;2"}, 64, "--pick"},
        {{"profile", "--range", "PD-CW-Sample!B15:B22"}, 2, "Excel is Not Open!"},  // no workbook
        {{"schematic"}, 2, "Excel is Not Open!"},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.said);
        if (c.said == std::string("Excel is Not Open!")) book = dir / "none.xlsx";
        const auto r = plovis(c.args);
        EXPECT_EQ(r.status, c.status) << r.output << r.errors;
        EXPECT_NE((r.output + r.errors).find(c.said), std::string::npos) << r.output << r.errors;
        EXPECT_FALSE(std::filesystem::exists(dxf));
    }
}

// Papers, scales, lengths and limits the dialogs would not take are usage errors (64), before the
// workbook is read.
TEST_F(DrawingCommands, RefusesOptionsTheDialogsWouldNotTake) {
    const std::vector<std::vector<std::string>> cases = {
        {"profile", "--paper", "A0"},
        {"profile", "--paper", "Letter"},
        {"profile", "--paper", "a3"},
        {"profile", "--paper", ""},
        {"profile", "--hscale", "-5000"},
        {"profile", "--vscale", "0.5"},
        {"profile", "--hscale", "1e300"},
        {"ground-profile", "--paper", "all"},
        {"ground-profile", "--hscale", "abc"},
        {"ground-profile", "--plot-length", "0"},
        {"ground-profile", "--plot-length", "-5"},
        {"ground-profile", "--gap", "abc"},
        {"ground-profile", "--text-size", "0"},
        {"schematic", "--max-entities", "0"},
    };
    for (auto args : cases) {
        SCOPED_TRACE(args[0] + " " + args[1] + " " + args[2]);
        args.insert(args.begin() + 1, book.string());
        args.insert(args.end(), {"--out", dxf.string()});
        const auto r = test::runCliOn(args, allCommands());
        EXPECT_EQ(r.status, kExitUsage) << r.err;
        EXPECT_NE(r.err.find(args[2]), std::string::npos) << r.err;
    }
    EXPECT_EQ(plovis({"ground-profile", "--pick", "1,2", "--paper", "ALL", "--gap", "20"}).status,
              0);
}

// A drawing beyond its limits stops at once with one message naming its cause; nothing is
// written. Drawing these took minutes and gigabytes before they were counted first.
TEST_F(DrawingCommands, RefusesADrawingBeyondItsLimitsAtOnce) {
    const struct {
        std::string groundCell;
        std::vector<std::string> args;
        const char* said;
    } cases[] = {
        {"C6=1e308", {}, "GroundProfile C6: a distance of 1E+308 m gives more than 2,000 sheets"},
        {"C6=2350000", {}, "GroundProfile C6: a distance of 2350000 m gives more than 5,000,000"},
        {"", {"--hscale", "1"}, "A horizontal scale of 1:1 with a plot length of 700 gives more"},
        {"", {"--plot-length", "0.001"}, "a plot length of 0.001 gives more than 2,000 sheets"},
        {"", {"--max-sheets", "1"}, "5000 with a plot length of 700 gives more than 1 sheet"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.said);
        makeBook(c.groundCell.empty() ? std::vector<std::string>{} : std::vector{c.groundCell});
        std::vector<std::string> args{"ground-profile", "--pick", "1,2"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const auto start = std::chrono::steady_clock::now();
        const auto r = plovis(args);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.errors.find(c.said), std::string::npos) << r.errors;
        EXPECT_FALSE(std::filesystem::exists(dxf));
    }
}

}  // namespace
}  // namespace plovis
