#include "cli/cells_command.h"

#include <gtest/gtest.h>

#include <chrono>

#include "cli/recalc_command.h"
#include "command_table.h"
#include "hosts/xlsx/xlsx_workbook.h"
#include "support/cli_run.h"
#include "support/golden_table.h"
#include "support/test_paths.h"

namespace plovis {
namespace {

// Three workbooks: s.xlsx a small table (a text with a tab, a backslash and a line break in C3)
// and a value on its second sheet; v.xlsx one stray value in the sheet's last cell; b.xlsx A1 2,
// B1 =A1*3 stored as 1 (stale on purpose), C1 an unknown function, D1 and E1 a circle.
void makeBooks(const std::filesystem::path& dir) {
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
    wb->save(dir / "s.xlsx");
    wb = XlsxWorkbook::create("v.xlsx", {"Sheet1"});
    wb->sheetAt(0).setCell(1, 1, std::string("x"));
    wb->sheetAt(0).setCell(1048576, 16384, std::string("y"));
    wb->save(dir / "v.xlsx");
    wb = XlsxWorkbook::create("b.xlsx", {"S"});
    wb->sheetAt(0).setCell(1, 1, 2.0);
    wb->sheetAt(0).setFormula(1, 2, "A1*3", 1.0);
    wb->sheetAt(0).setFormula(1, 3, "FORECAST(1,A1,A1)", 4.0);
    wb->sheetAt(0).setFormula(1, 4, "E1+1", 5.0);
    wb->sheetAt(0).setFormula(1, 5, "D1+1", 6.0);
    wb->save(dir / "b.xlsx");
}

// Each line of the table: a cells or recalc command (workbooks in the scratch folder, "_" for a
// blank in a sheet name), its exit status and what it printed. Cells prints the used area of the
// active sheet as a table, a range cut to what is in use (only the rows and columns holding values
// of a vast range: the seventeen billion cells between ran out of memory), tab-separated values
// with escapes; recalc computes every formula and names what it could not.
TEST(CellsCommand, CellsAndRecalcAsTheReviewedTableSays) {
    test::ScratchDir dir{"cells"};
    makeBooks(dir.path());
    test::expectGoldenTable("cli", "cells_and_recalc", [&](const std::string& line) {
        const auto start = std::chrono::steady_clock::now();
        const auto r =
            test::runCliOn(test::commandWords(line, dir.path()), {recalcCommand(), cellsCommand()});
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
        return "status " + std::to_string(r.status) + ": " +
               test::withoutDir(r.out + r.err, dir.path());
    });
}

}  // namespace
}  // namespace plovis
