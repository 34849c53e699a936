#include "cli/cells_command.h"

#include <gtest/gtest.h>

#include "hosts/xlsx/xlsx_workbook.h"
#include "support/cli_run.h"
#include "support/run_command.h"
#include "support/test_paths.h"

namespace plovis {
namespace {

class CellsCommand : public ::testing::Test {
  protected:
    void SetUp() override {
        auto wb = XlsxWorkbook::create("s.xlsx", {"PD-CW-Sample", "Water Demand"});
        MemoryWorksheet& s = wb->sheetAt(0);
        s.setCell(1, 1, std::string("Node"));
        s.setCell(1, 2, std::string("Chainage"));
        s.setCell(2, 1, std::string("N1"));
        s.setCell(2, 2, 0.0);
        s.setCell(3, 1, std::string("Réservoir"));
        s.setCell(3, 2, 1250.5);
        s.setCell(3, 3, std::string("a\tb\\c\nd"));
        wb->sheetAt(1).setCell(20, 6, 3.25);
        wb->save(book);
    }

    std::pair<int, std::string> run(std::vector<std::string> args) {
        const auto r = test::runCliOn(args, {cellsCommand()});
        return {r.status, r.out + r.err};
    }

    test::ScratchDir dir{"cells"};
    std::filesystem::path book = dir / "s.xlsx";
};

TEST_F(CellsCommand, PrintsTheUsedAreaOfTheActiveSheetAsATable) {
    const auto [status, text] = run({"cells", book.string()});
    EXPECT_EQ(status, kExitDone);
    EXPECT_EQ(text,
              "   A          B         C\n"
              "1  Node       Chainage\n"
              "2  N1                0\n"
              "3  Réservoir    1250.5  a b\\c d\n");
}

TEST_F(CellsCommand, ARangeOfANamedSheetCutToWhatIsInUse) {
    EXPECT_EQ(run({"cells", book.string(), "'Water Demand'!E19:H65000"}).second,
              "    E  F\n"
              "19\n"
              "20     3.25\n");
    EXPECT_EQ(run({"cells", book.string(), "Water Demand!A1:B2"}).second, "   A  B\n1\n2\n");
    EXPECT_EQ(run({"cells", book.string(), "Water Demand!A21:B22"}).second, "");
    EXPECT_EQ(run({"cells", book.string(), "B2:C3", "--tsv"}).second,
              "0\t\n1250.5\ta\\tb\\\\c\\nd\n");
}

TEST_F(CellsCommand, AMissingSheetOrFileIsOneMessage) {
    EXPECT_EQ(
        run({"cells", book.string(), "Nope!A1"}),
        std::make_pair(int(kExitFailed),
                       std::string("plovis: the workbook s.xlsx has no sheet named \"Nope\"\n")));
    EXPECT_EQ(run({"cells", (dir / "x.xlsx").string()}).first, kExitFailed);
    EXPECT_EQ(run({"cells"}).first, kExitUsage);
}

TEST_F(CellsCommand, ThroughThePlovisProgram) {
    const auto r = test::runProgram((test::binaryDir() / "src/plovis").string(),
                                    {"cells", book.string(), "PD-CW-Sample!A1:B2", "--tsv"});
    EXPECT_EQ(r.status, 0) << r.errors;
    EXPECT_EQ(r.output, "Node\tChainage\nN1\t0\n");
    const auto bad = test::runProgram((test::binaryDir() / "src/plovis").string(),
                                      {"cells", (dir / "none.xlsx").string()});
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.errors, "plovis: cannot open \"" + (dir / "none.xlsx").string() +
                              "\": there is no such file\n");
}

}  // namespace
}  // namespace plovis
