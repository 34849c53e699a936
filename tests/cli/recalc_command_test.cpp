#include "cli/recalc_command.h"

#include <gtest/gtest.h>

#include "cli/cells_command.h"
#include "hosts/xlsx/xlsx_workbook.h"
#include "support/cli_run.h"
#include "support/test_paths.h"

namespace plovis {
namespace {

std::string printed(const std::vector<std::string>& args, int status = kExitDone) {
    const test::CliRun r = test::runCliOn(args, {recalcCommand(), cellsCommand()});
    EXPECT_EQ(r.status, status) << args[0];
    return r.out + r.err;
}

// A1 2; B1 =A1*3 stored as 1 (stale on purpose); C1 an unknown function; D1 and E1 a circle.
TEST(RecalcCommand, ComputesEveryFormulaAndNamesWhatItCouldNot) {
    test::ScratchDir dir("recalc");
    const auto book = dir / "b.xlsx", out = dir / "out.xlsx";
    {
        auto wb = XlsxWorkbook::create("b.xlsx", {"S"});
        MemoryWorksheet& s = wb->sheetAt(0);
        s.setCell(1, 1, 2.0);
        s.setFormula(1, 2, "A1*3", 1.0);
        s.setFormula(1, 3, "FORECAST(1,A1,A1)", 4.0);
        s.setFormula(1, 4, "E1+1", 5.0);
        s.setFormula(1, 5, "D1+1", 6.0);
        wb->save(book);
    }
    EXPECT_EQ(printed({"recalc", book.string(), "--save-as", out.string()}, kExitFailed),
              "Computed: 1 formulas\n"
              "Not computed: 1\n"
              "  'S'!C1: its formula holds the function FORECAST, which PLOVIS does not compute\n"
              "Circular: 2\n  'S'!D1\n  'S'!E1\n"
              "Saved " +
                  out.string() + "\n");
    EXPECT_EQ(printed({"cells", out.string(), "A1:E1"}), "   A  B  C  D  E\n1  2  6  4  5  6\n");
    EXPECT_EQ(printed({"cells", out.string(), "B1:C1", "--formulas"}),
              "   B      C\n1  =A1*3  =FORECAST(1,A1,A1)\n");
}

}  // namespace
}  // namespace plovis
