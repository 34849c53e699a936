// Formulas against a few cells: precedence, coercion, empty cells and errors as spreadsheet
// programs give them, and formulas moved to other cells; each case an input and its outcome in
// tests/hosts/formula/golden/evaluation.txt.
#include <gtest/gtest.h>

#include <sstream>
#include "hosts/formula/formula_shift.h"

#include "hosts/formula/formula_support.h"
#include "support/golden_table.h"

namespace plovis {
namespace {

// A1 2, A2 "3" (text), A3 empty, A4 TRUE, A5 "abc", A6 #DIV/0!, B1:B3 1 2 4, C1 " 1,250 ",
// D1 "Ōmūta"; "Other Sheet"!A1 10; Rate names B3, Twice is 2*A1.
void fill(MemoryWorkbook& wb) {
    MemoryWorksheet& s = wb.addSheet("Data");
    wb.addSheet("Other Sheet").load(1, 1, 10.0);
    s.load(1, 1, 2.0);
    s.load(2, 1, std::string("3"));
    s.load(4, 1, std::string("TRUE"), CellKind::Boolean);
    s.load(5, 1, std::string("abc"));
    s.load(6, 1, std::string("#DIV/0!"), CellKind::Error);
    for (int r = 1; r <= 3; ++r)
        s.load(r, 2, static_cast<double>(1 << (r - 1)));
    s.load(1, 3, std::string(" 1,250 "));
    s.load(1, 4, std::string("Ōmūta"));
    wb.setDefinedNames({{"Rate", -1, "Data!$B$3"}, {"Twice", -1, "2*Data!$A$1"}});
}

TEST(Evaluation, GivesWhatASpreadsheetProgramGives) {
    MemoryWorkbook wb;
    fill(wb);
    MemoryWorksheet& s = wb.sheet("Data");
    // "formula <formula>" or "shift <rows> <columns> <formula>".
    test::expectGoldenTable("hosts/formula", "evaluation", [&](const std::string& line) {
        std::istringstream in(line);
        std::string what;
        int rows = 0, columns = 0;
        in >> what;
        if (what == "shift") in >> rows >> columns;
        std::string formula;
        std::getline(in >> std::ws, formula);
        if (what == "shift") return formula::shiftFormula(formula, rows, columns);
        s.setFormula(20, 5, formula, CellValue{});
        return test::describe(s, 20, 5);
    });
}

}  // namespace
}  // namespace plovis
