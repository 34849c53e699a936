#include "cli/cells_command.h"

#include <gtest/gtest.h>

#include <chrono>

#include "hosts/xlsx/xlsx_workbook.h"
#include "support/cli_run.h"
#include "support/run_command.h"
#include "support/test_paths.h"

namespace plovis {
namespace {

// The used area of the active sheet as a table, a range of a named sheet cut to what is in use,
// tab-separated values with escapes, one message for a missing sheet or file; and the command in
// the plovis program.
TEST(CellsCommand, PrintsCellsAsTablesOrTabSeparated) {
    test::ScratchDir dir{"cells"};
    const std::string book = (dir / "s.xlsx").string(), none = (dir / "none.xlsx").string();
    auto wb = XlsxWorkbook::create("s.xlsx", {"PD-CW-Sample", "Water Demand"});
    MemoryWorksheet& s = wb->sheetAt(0);
    for (const auto& [row, column, text] : {std::tuple{1, 1, "Node"},
                                            {1, 2, "Chainage"},
                                            {2, 1, "N1"},
                                            {3, 1, "Réservoir"},
                                            {3, 3, "a\tb\\c\nd"}})
        s.setCell(row, column, std::string(text));
    s.setCell(2, 2, 0.0);
    s.setCell(3, 2, 1250.5);
    wb->sheetAt(1).setCell(20, 6, 3.25);
    wb->save(book);
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{},
         "   A          B         C\n1  Node       Chainage\n2  N1                0\n"
         "3  Réservoir    1250.5  a b\\c d\n"},
        {{"'Water Demand'!E19:H65000"}, "    E  F\n19\n20     3.25\n"},
        {{"Water Demand!A1:B2"}, "   A  B\n1\n2\n"},
        {{"Water Demand!A21:B22"}, ""},
        {{"B2:C3", "--tsv"}, "0\t\n1250.5\ta\\tb\\\\c\\nd\n"},
        {{"Nope!A1"}, "plovis: the workbook s.xlsx has no sheet named \"Nope\"\n"},
    };
    for (const auto& [more, text] : cases) {
        std::vector<std::string> args{"cells", book};
        args.insert(args.end(), more.begin(), more.end());
        const auto r = test::runCliOn(args, {cellsCommand()});
        EXPECT_EQ(r.out + r.err, text);
        EXPECT_EQ(r.status, text.starts_with("plovis:") ? kExitFailed : kExitDone);
    }
    EXPECT_EQ(test::runCliOn({"cells"}, {cellsCommand()}).status, kExitUsage);
    const std::string plovis = (test::binaryDir() / "src/plovis").string();
    const auto r = test::runProgram(plovis, {"cells", book, "PD-CW-Sample!A1:B2", "--tsv"});
    EXPECT_EQ(r.status, 0) << r.errors;
    EXPECT_EQ(r.output, "Node\tChainage\nN1\t0\n");
    const auto bad = test::runProgram(plovis, {"cells", none});
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.errors, "plovis: cannot open \"" + none + "\": there is no such file\n");
}

// One stray value in the sheet's last cell: the rows and columns holding values are printed, not
// the seventeen billion cells between (that ran out of memory).
TEST(CellsCommand, PrintsOnlyWhatHoldsValuesOfAVastRange) {
    test::ScratchDir dir{"cells-vast"};
    const std::string book = (dir / "v.xlsx").string();
    auto wb = XlsxWorkbook::create("v.xlsx", {"Sheet1"});
    wb->sheetAt(0).setCell(1, 1, std::string("x"));
    wb->sheetAt(0).setCell(1048576, 16384, std::string("y"));
    wb->save(book);
    const auto start = std::chrono::steady_clock::now();
    const auto r = test::runCliOn({"cells", book}, {cellsCommand()});
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(r.out, "         A  XFD\n      1  x\n1048576     y\n");
}

}  // namespace
}  // namespace plovis
