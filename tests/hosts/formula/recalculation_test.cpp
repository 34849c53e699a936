// When the workbook recalculates: only what depends on a change, in dependency order; nothing
// while calculation is manual; circular references and formulas it cannot compute keep their
// stored values and are reported once when read.
#include <gtest/gtest.h>

#include "hosts/manual_calculation.h"
#include "hosts/memory_workbook.h"

namespace plovis {
namespace {

struct Chain : ::testing::Test {
    MemoryWorkbook wb;
    MemoryWorksheet& s = wb.addSheet("S");
    // A1 input; B1 = A1*2, C1 = B1+A1, D1 = C1^2 (trusted stored values), E1 an unrelated formula
    // whose stored value is wrong on purpose: it is not recalculated unless asked.
    Chain() {
        s.setCell(1, 1, 1.0);
        s.setFormula(1, 2, "A1*2", 2.0);
        s.setFormula(1, 3, "B1+A1", 3.0);
        s.setFormula(1, 4, "=C1^2", 9.0);
        s.setFormula(1, 5, "=7*6", 41.0);
        wb.markSaved();
    }
};

TEST_F(Chain, AWriteRecalculatesItsDependentsBeforeTheNextRead) {
    s.setCell(1, 1, 3.0);
    EXPECT_EQ(s.cell(1, 4), CellValue(81.0));
    EXPECT_EQ(s.cell(1, 3), CellValue(9.0));
    EXPECT_EQ(s.cell(1, 5), CellValue(41.0));  // reads nothing that changed
    EXPECT_EQ(std::vector(s.recalculatedCells().begin(), s.recalculatedCells().end()),
              (std::vector<std::pair<int, int>>{{1, 2}, {1, 3}, {1, 4}}));
    EXPECT_TRUE(wb.notices().take().empty());
}

TEST_F(Chain, ManualCalculationKeepsStoredValuesUntilItIsAutomaticAgain) {
    {
        ManualCalculation manual(wb);
        s.setCell(1, 1, 2.0);
        EXPECT_EQ(s.cell(1, 4), CellValue(9.0));
    }
    EXPECT_EQ(s.cell(1, 4), CellValue(36.0));
}

TEST_F(Chain, OverwritingAFormulaStopsItsRecalculation) {
    s.setCell(1, 2, 10.0);
    s.setCell(1, 1, 5.0);
    EXPECT_EQ(s.cell(1, 2), CellValue(10.0));
    EXPECT_EQ(s.cell(1, 4), CellValue(225.0));
}

TEST_F(Chain, AFullRecalculationCountsEveryFormula) {
    const RecalculationReport r = wb.recalculateAll();
    EXPECT_EQ(r.computed, 4);
    EXPECT_TRUE(r.notComputed.empty());
    EXPECT_EQ(s.cell(1, 5), CellValue(42.0));
}

// One sheet "S" of a workbook.
struct Recalculation : ::testing::Test {
    MemoryWorkbook wb;
    MemoryWorksheet& s = wb.addSheet("S");
};

TEST_F(Recalculation, ACircularReferenceKeepsItsStoredValuesAndIsNamedOnceWhenRead) {
    s.setCell(1, 1, 1.0);
    s.setFormula(1, 2, "A1+C1", 5.0);
    s.setFormula(1, 3, "B1*2", 10.0);
    s.setFormula(1, 4, "C1+1", 11.0);  // behind the circle
    s.setCell(1, 1, 2.0);
    EXPECT_EQ(s.cell(1, 2), CellValue(5.0));
    EXPECT_EQ(s.cell(1, 4), CellValue(11.0));
    const auto notices = wb.notices().take();
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].find("'S'!B1"), std::string::npos) << notices[0];
    EXPECT_NE(notices[0].find("circular reference ('S'!"), std::string::npos) << notices[0];
    EXPECT_EQ(wb.recalculateAll().circular.size(), 3u);
}

TEST(NotComputed, AFormulaItCannotComputeKeepsItsStoredValueAndWarnsOncePerCommand) {
    // clang-format off
    const struct { const char* formula; bool array; const char* reason; } cases[] = {
        {"FORECAST(A1,1,1)", false, "the function FORECAST"},
        {"SUM(A1:A2*2)", true, "an array formula"},
        {"[1]Sheet1!A1+A1", false, "a link to another workbook"},
        {"A1+SUM(S!A1:T!A1)", false, "a reference through several"}};
    // clang-format on
    for (const auto& [formula, array, reason] : cases) {
        SCOPED_TRACE(formula);
        MemoryWorkbook wb;
        MemoryWorksheet& s = wb.addSheet("S");
        s.load(1, 1, 1.0);
        s.load(1, 2, 7.0);
        s.loadFormula(1, 2, {formula, 0, 0, array});
        s.load(1, 3, 8.0);
        s.loadFormula(1, 3, {"B1+1"});
        s.setCell(1, 1, 2.0);
        EXPECT_EQ(s.cell(1, 2), CellValue(7.0));
        EXPECT_EQ(s.cell(1, 3), CellValue(8.0));  // from the stale B1
        EXPECT_EQ(s.cell(1, 2), CellValue(7.0));
        auto notices = wb.notices().take();
        ASSERT_EQ(notices.size(), 1u);
        EXPECT_NE(notices[0].find("'S'!B1 was read with its stored value"), std::string::npos);
        EXPECT_NE(notices[0].find(reason), std::string::npos) << notices[0];
        s.cell(1, 3);  // the next command is told again
        notices = wb.notices().take();
        ASSERT_EQ(notices.size(), 1u);
        EXPECT_NE(notices[0].find("depends on 'S'!B1"), std::string::npos) << notices[0];
        EXPECT_EQ(wb.recalculateAll().notComputed.size(), 1u);
    }
}

TEST_F(Recalculation, AFormulaWithoutAValueIsCalculatedAndOneWithAValueTrusted) {
    s.load(1, 1, 4.0);
    s.loadFormula(1, 2, {"SQRT(A1)"});
    s.load(1, 3, 99.0);
    s.loadFormula(1, 3, {"B1+1"});  // its stored value trusted, but it reads B1
    s.load(2, 3, 99.0);
    s.loadFormula(2, 3, {"A1"});
    EXPECT_EQ(s.cell(1, 2), CellValue(2.0));
    EXPECT_EQ(s.cell(1, 3), CellValue(3.0));
    EXPECT_EQ(s.cell(2, 3), CellValue(99.0));
}

TEST_F(Recalculation, ARangeEndingInAFunctionFollowsEveryCellItSpans) {
    s.setFormula(1, 2, "SUM(A1:INDEX(A3:A4,2))", CellValue{});
    EXPECT_EQ(s.cell(1, 2), CellValue(0.0));
    s.setCell(2, 1, 5.0);  // A2: in the span, though no reference of the formula names it
    EXPECT_EQ(s.cell(1, 2), CellValue(5.0));
}

TEST_F(Recalculation, AFormulaGivingTheEmptyTextIsNoEmptyCell) {
    s.setFormula(1, 1, "IF(1>2,1,\"\")", CellValue{});
    s.setFormula(1, 2, "ISBLANK(A1)", CellValue{});
    s.setFormula(1, 3, "A1+1", CellValue{});
    s.setFormula(1, 4, "COUNTA(A1:A2)", CellValue{});
    EXPECT_EQ(s.cell(1, 1), CellValue(std::string()));
    EXPECT_EQ(s.cell(1, 2), CellValue(std::string("FALSE")));
    EXPECT_EQ(s.cell(1, 3), CellValue(std::string("#VALUE!")));
    EXPECT_EQ(s.cell(1, 4), CellValue(1.0));
}

TEST_F(Recalculation, SharedFormulasReadAsMovedToTheirCells) {
    for (int r = 1; r <= 3; ++r)
        s.load(r, 1, r * 1.0);
    s.loadFormula(1, 2, {"A1*10"});
    s.loadFormula(2, 2, {"", 1, 2});
    s.loadFormula(3, 2, {"", 1, 2});
    EXPECT_EQ(s.formula(3, 2), std::optional<std::string>("A3*10"));
    EXPECT_EQ(s.cell(3, 2), CellValue(30.0));
    s.setCell(1, 2, 0.0);  // the first cell overwritten: the others keep their formulas
    s.setCell(3, 1, 5.0);
    EXPECT_EQ(s.cell(3, 2), CellValue(50.0));
    EXPECT_EQ(s.formula(2, 2), std::optional<std::string>("A2*10"));
}

}  // namespace
}  // namespace plovis
