// The drawing commands through the plovis program on a real .xlsx file, their DXF files checked
// by an independent reader (ezdxf): audit clean, and the entities each drawing must hold.
#include <gtest/gtest.h>

#include "support/file_bytes.h"
#include "support/run_command.h"
#include "support/test_paths.h"

namespace plovis {
namespace {

class DrawingCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto made = test::runProgram(
            "/usr/bin/python3",
            {(test::sourceDir() / "tests/cli/drawing_scheme.py").string(), book.string()});
        ASSERT_EQ(made.status, 0) << made.errors;
    }

    test::CommandResult plovis(std::vector<std::string> args) {
        args.push_back("--quiet");
        return test::runProgram((test::binaryDir() / "src/plovis").string(), args);
    }

    // ezdxf's dump of a drawing: the audit line first, then a line per entity.
    std::string dump(const std::filesystem::path& dxf) {
        const auto r = test::runProgram(
            "/usr/bin/python3",
            {(test::sourceDir() / "tests/hosts/dxf/ezdxf_dump.py").string(), dxf.string()});
        EXPECT_EQ(r.status, 0) << r.errors;
        return r.output;
    }

    static int count(const std::string& text, const std::string& what) {
        int n = 0;
        for (std::size_t at = text.find(what); at != std::string::npos;
             at = text.find(what, at + 1)) {
            ++n;
        }
        return n;
    }

    test::ScratchDir dir{"drawings"};
    std::filesystem::path book = dir / "scheme.xlsx";
    std::filesystem::path dxf = dir / "out.dxf";
};

TEST_F(DrawingCommands, ProfileWritesAnAuditCleanDrawingAndItsPictures) {
    const auto before = test::readBytes(book);
    const auto r =
        plovis({"profile", book.string(), "--range", "PD-CW-Sample!B15:B22", "--out", dxf.string(),
                "--png", (dir / "p.png").string(), "--pdf", (dir / "p.pdf").string()});
    ASSERT_EQ(r.status, 0) << r.output << r.errors;
    const std::string d = dump(dxf);
    EXPECT_EQ(d.substr(0, d.find('\n')), "AUDIT errors=0 fixes=0");
    for (const char* text : {"\"Main line\"", "\"Branch to Tole\"", "\"SPL(1450.0)\"",
                             "\"( Sheet No: 1/2 ) of Kalika Water Supply Scheme\"",
                             "\"Scale: [H 1: 5000, V 1: 1000]\"", "\"H90(6)\"", "\"Rock\""}) {
        EXPECT_NE(d.find(text), std::string::npos) << text;
    }
    EXPECT_GE(count(d, "INSERT"), 3);
    EXPECT_GT(std::filesystem::file_size(dir / "p.png"), 1000u);
    EXPECT_GT(std::filesystem::file_size(dir / "p.pdf"), 1000u);
    EXPECT_EQ(test::readBytes(book), before);  // a drawing writes nothing into the workbook
}

TEST_F(DrawingCommands, SchematicDrawsTheNetwork) {
    const auto r = plovis(
        {"schematic", book.string(), "--range", "PD-CW-Sample!B15:B22", "--out", dxf.string()});
    ASSERT_EQ(r.status, 0) << r.output << r.errors;
    const std::string d = dump(dxf);
    EXPECT_EQ(d.substr(0, d.find('\n')), "AUDIT errors=0 fixes=0");
    for (const char* text : {"\"Scheme Name: Kalika WSS\"", "\"Source: Kalika spring\"",
                             "\"Safe Yield = 12.500 lps\"", "\"90H(6)/250 m\"", "\"2.5 lps \""}) {
        EXPECT_NE(d.find(text), std::string::npos) << text;
    }
}

TEST_F(DrawingCommands, GroundProfileFromThePickedPoint) {
    const auto r = plovis({"ground-profile", book.string(), "--pick", "100,200", "--paper", "A3",
                           "--out", dxf.string()});
    ASSERT_EQ(r.status, 0) << r.output << r.errors;
    const std::string d = dump(dxf);
    EXPECT_EQ(d.substr(0, d.find('\n')), "AUDIT errors=0 fixes=0");
    for (const char* text : {"\"0+000.00\"", "\"1+650.00\"", "\"1450.000\"", "\"Description\""}) {
        EXPECT_NE(d.find(text), std::string::npos) << text;
    }
    EXPECT_EQ(count(d, "LWPOLYLINE"), 2);  // one ground line per branch
}

TEST_F(DrawingCommands, NothingIsWrittenWhenTheCommandDoesNotComplete) {
    const struct {
        std::vector<std::string> args;
        int status;
        const char* said;
    } cases[] = {
        // one column and one row: the selection question, Cancel without a terminal
        {{"profile", book.string(), "--range", "PD-CW-Sample!B15"},
         2,
         "First Select the Correct Range and Then Click OK!"},
        {{"profile", book.string(), "--range", "PD-CW-Sample!B15:B23"},
         1,
         "Error occured at the row number 25"},
        {{"schematic", book.string(), "--range", "PD-CW-Sample!B15"},
         1,
         "Selection range is not correct."},
        {{"ground-profile", book.string()}, 1, "no reference point was picked"},
        {{"ground-profile", book.string(), "--pick", "1,2", "--hscale", "abc"},
         1,
         "the value of --hscale is not valid"},
        {{"ground-profile", book.string(), "--pick", "1,2", "--plot-length", "-5"},
         1,
         "the value of --plot-length is not valid"},
        // a file that is no workbook: the spreadsheet is not reachable, Cancel ends
        {{"profile", (dir / "none.xlsx").string(), "--range", "PD-CW-Sample!B15:B22"},
         2,
         "Excel is Not Open!"},
        {{"schematic", (dir / "none.xlsx").string()}, 2, "Excel is Not Open!"},
    };
    for (const auto& c : cases) {
        auto args = c.args;
        args.push_back("--out");
        args.push_back(dxf.string());
        const auto r = plovis(args);
        EXPECT_EQ(r.status, c.status) << c.args[0] << " " << c.args.back() << r.output << r.errors;
        EXPECT_NE((r.output + r.errors).find(c.said), std::string::npos) << c.said << "\n"
                                                                         << r.output << r.errors;
        EXPECT_FALSE(std::filesystem::exists(dxf)) << c.said;
    }
}

TEST_F(DrawingCommands, ABadPickIsAUsageError) {
    const auto r =
        plovis({"ground-profile", book.string(), "--pick", "1;2", "--out", dxf.string()});
    EXPECT_EQ(r.status, 64);
}

}  // namespace
}  // namespace plovis
