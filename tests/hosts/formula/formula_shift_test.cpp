#include "hosts/formula/formula_shift.h"

#include <gtest/gtest.h>

namespace plovis::formula {
namespace {

TEST(FormulaShift, RelativeReferencesMoveAbsolutePartsStay) {
    struct Case {
        const char* formula;
        int rows, columns;
        const char* expected;
    };
    const Case cases[] = {{"B7*2", 3, 0, "B10*2"},
                          {"B7+$C$1", 1, 1, "C8+$C$1"},
                          {"$B7+B$7", 2, 2, "$B9+D$7"},
                          {"SUM(B2:B9)/COUNT(B:B)", 1, 1, "SUM(C3:C10)/COUNT(C:C)"},
                          {"SUM(2:4)", 2, 0, "SUM(4:6)"},
                          {"'Water Demand'!F20*Sheet2!A1", 1, 0, "'Water Demand'!F21*Sheet2!A2"},
                          {"IF(A1=\"B2\",LOG10(A1),0)", 1, 0, "IF(A2=\"B2\",LOG10(A2),0)"},
                          {"Levels*2+TRUE", 5, 5, "Levels*2+TRUE"},
                          {"Tab1[Flow]*A1", 1, 0, "Tab1[Flow]*A2"},
                          {"1.5E+3*A1", 1, 0, "1.5E+3*A2"},
                          {"A1-1", -1, 0, "#REF!-1"},
                          {"XFD1+1", 0, 1, "#REF!+1"},
                          {"#REF!+A1", 0, 1, "#REF!+B1"},
                          {"[1]Sheet1!A1", 1, 0, "[1]Sheet1!A2"}};
    for (const Case& c : cases) {
        EXPECT_EQ(shiftFormula(c.formula, c.rows, c.columns), c.expected) << c.formula;
    }
}

}  // namespace
}  // namespace plovis::formula
