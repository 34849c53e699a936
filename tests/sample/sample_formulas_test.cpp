// The sample's formulas computed by the workbook host: each gives its stored value, and a changed
// roughness reaches the head loss.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "commands/design_commands.h"
#include "sample_fixture.h"

namespace plovis {
namespace {

double number(Worksheet& s, const char* a1) {
    const CellRange at = parseA1(a1);
    return std::get<double>(s.cell(at.firstRow, at.firstColumn));
}

TEST(SampleFormulas, EveryFormulaRecomputesToItsStoredValue) {
    test::SampleFixture f;
    const test::WorkbookCells stored = test::cellsOf(*f.workbook);
    const RecalculationReport report = f.workbook->recalculateAll();
    EXPECT_EQ(report.computed, 285);  // 247 of the design table, 36 of the demand, 2 of the input
    EXPECT_TRUE(report.notComputed.empty());
    EXPECT_TRUE(report.circular.empty());
    const test::WorkbookCells computed = test::cellsOf(*f.workbook);
    for (const auto& [sheet, cells] : stored) {
        for (const auto& [at, value] : cells) {
            const CellValue& now = computed.at(sheet).at(at);
            if (isNumber(value)) {
                EXPECT_NEAR(std::get<double>(now), std::get<double>(value),
                            1e-12 * std::max(1.0, std::abs(std::get<double>(value))))
                    << sheet << " " << columnLetters(at.second) << at.first;
            } else {
                EXPECT_EQ(now, value) << sheet << " " << columnLetters(at.second) << at.first;
            }
        }
    }
}

TEST(SampleFormulas, ARougherPipeRaisesTheHeadLossItsFormulaGives) {
    test::SampleFixture f;
    Worksheet& s = f.workbook->sheet("PD-CW-Sample");
    s.setCell(16, 36, 0.001);   // AJ16: the roughness, in mm
    f.ui.script({Answer::No});  // the class the sample leaves low on purpose
    ASSERT_TRUE(pipeHeadLossCommand(f.host, f.ui));
    EXPECT_NEAR(number(s, "AG16"), 0.057425, 5e-7);
    // By hand, from the row's inputs: the area of the 50 mm bore, the velocity of the design flow
    // through it, then Darcy-Weisbach h = f L / D * v^2 / 2g.
    const double g = number(f.workbook->sheet("DATA INPUT"), "E29");
    const double bore = number(s, "AI16") / 1000;            // m
    const double area = std::numbers::pi * bore * bore / 4;  // m2
    const double velocity = number(s, "G16") / 1000 / area;  // m/s from l/s
    const double headLoss =
        number(s, "AG16") * number(s, "F16") / bore * velocity * velocity / (2 * g);  // m
    EXPECT_NEAR(headLoss, 7.3, 0.05);
    EXPECT_NEAR(number(s, "U16"), headLoss, 1e-12 * headLoss);
    // The hydraulic grade level and the residual head follow.
    EXPECT_NEAR(number(s, "Y16"), number(s, "X16") - headLoss, 1e-9);
    EXPECT_NEAR(number(s, "AB16"), number(s, "Y16") - number(s, "J16"), 1e-9);
    EXPECT_TRUE(f.workbook->notices().take().empty());
}

}  // namespace
}  // namespace plovis
