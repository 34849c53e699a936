// The drawing commands through the plovis program, their DXF files read by ezdxf.
#include <gtest/gtest.h>

#include <cctype>
#include <chrono>

#include "command_table.h"
#include "support/file_bytes.h"
#include "support/golden_table.h"
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

// Each line of the table: a drawing command's arguments (first a ground profile cell to set,
// "C6=1e308", or "no-book" for a workbook that is not there), and its exit status, what it said and
// whether a drawing was written. Without a complete drawing nothing is written: 2 when the
// spreadsheet question is cancelled (nobody is there to answer it), 1 on a reported failure or a
// drawing beyond its limits (refused at once: these took minutes and gigabytes before they were
// counted first), 64 on a bad pick or an option the dialogs would not take.
TEST_F(DrawingCommands, RefusalsAndLimitsAsTheReviewedTableSays) {
    const auto scheme = book;
    test::expectGoldenTable("cli", "drawing_refusals", [&](const std::string& line) {
        std::vector<std::string> args, cells;
        book = scheme;
        for (const std::string& w : test::commandWords(line, dir.path())) {
            if (w == "no-book")
                book = dir / "none.xlsx";
            else if (std::isupper(static_cast<unsigned char>(w[0])) && w.find('=') != w.npos)
                cells.push_back(w);
            else
                args.push_back(w);
        }
        if (!cells.empty()) makeBook(cells);
        const auto start = std::chrono::steady_clock::now();
        const auto r = plovis(args);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
        const bool written = std::filesystem::remove(dxf);
        if (!cells.empty()) makeBook({});
        return "status " + std::to_string(r.status) + (written ? ", drawn: " : ": ") +
               test::withoutDir(r.output + r.errors, dir.path());
    });
}

}  // namespace
}  // namespace plovis
