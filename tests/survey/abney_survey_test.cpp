#include "survey/abney_survey.h"

#include <gtest/gtest.h>

#include "host_faults.h"
#include "support/sheet_rows.h"
#include "survey/abney_reduction.h"

namespace plovis {
namespace {

using test::loadRow;
using test::numberIn;

const CellValue kEmpty{};

TEST(AbneyAngle, AMinusSignOnAnyPartMakesTheWholeAngleNegative) {
    const struct {
        double d, m, s, angle;
    } cases[] = {{2, 30, 0, 2.5},    {-2, 30, 0, -2.5},   {0, -30, 0, -0.5},
                 {-0.0, 30, 0, 0.5},  // minus zero is not negative
                 {0, 0, -36, -0.01}, {1, -30, 36, -1.51}, {0, 0, 0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.d << " " << c.m << " " << c.s);
        EXPECT_EQ(angleSign(c.d, c.m, c.s), c.angle < 0 ? -1 : 1);
        EXPECT_NEAR(angleOf(c.d, c.m, c.s), c.angle, 1e-12);
    }
}

TEST(AbneyAngle, MeanOfTheForeAndBackReadings) {
    // The fore reading's sign; without a fore reading, the back reading with its sign turned.
    const double cases[][3] = {{2.5, -2.5, 2.5}, {-2, 3, -2.5}, {2, 3, 2.5}, {0, -3, 3},
                               {0, 3, -3},       {-4, 0, -4},   {0, 0, 0}};
    for (const auto& [fore, back, mean] : cases)
        EXPECT_DOUBLE_EQ(meanSlopeAngle(fore, back), mean) << fore << " " << back;
}

TEST(AbneyAngle, HeightOfALegAndItsRounding) {
    EXPECT_EQ(roundToThreeDecimals(legHeight(2.5, 40)), 1.745);
    EXPECT_DOUBLE_EQ(legHeight(30, 20), 10);
    EXPECT_DOUBLE_EQ(legHeight(0, 20), 0);
    // Halves go to the even digit.
    const double cases[][2] = {
        {1.0625, 1.062}, {1.1875, 1.188}, {-1.0625, -1.062}, {2.0006, 2.001}};
    for (const auto& [x, rounded] : cases)
        EXPECT_EQ(roundToThreeDecimals(x), rounded) << x;
}

// Main: A (no distance, level 500 given), B (40 at 2°30' forward, -2°30' back), C (100, back
// -3° only). Spur starts at c, Main's C, with no angle. Hill starts 20 along a 30° slope.
void loadBook(MemoryWorksheet& s) {
    loadRow(s, 5, 3, {"Main"});
    loadRow(s, 6, 3, {"A", kEmpty});
    loadRow(s, 6, 16, {500.0});
    loadRow(s, 7, 3, {"B", 40.0, "old", 2.0, 30.0, 0.0, -2.0, 30.0, 0.0});
    loadRow(s, 8, 3, {"C", 100.0, kEmpty, kEmpty, kEmpty, kEmpty, -3.0});
    loadRow(s, 9, 3, {"Spur"});
    loadRow(s, 10, 3, {"c", 10.0});
    loadRow(s, 11, 3, {"Hill"});
    loadRow(s, 12, 3, {"H0", 20.0, kEmpty, 30.0});
    loadRow(s, 12, 16, {100.0});
}

struct AbneyFixture : ::testing::Test, test::SurveyRun {
    MemoryWorksheet& sheet = memory.addSheet("AbneySurvey");
    AbneyFixture() { loadBook(sheet); }
    bool reduce(bool report, test::HostFaults given = {}) {
        return run([&](SpreadsheetHost& h) { return reduceAbneySurvey(context, h, ui, report); },
                   given);
    }
};

TEST_F(AbneyFixture, ReadsAnglesFromDegreesMinutesAndSecondsAndReducesEveryStation) {
    ASSERT_TRUE(readAbneySurvey(context, memory, ui, true));
    ASSERT_EQ(context.abneyReadings.size(), 3u);
    EXPECT_EQ(context.abneyReadings[0].foreAngles, (std::vector<double>{0, 2.5, 0}));
    EXPECT_EQ(context.abneyReadings[0].backAngles, (std::vector<double>{0, -2.5, -3}));
    EXPECT_DOUBLE_EQ(context.abneyReadings[0].startLevel, 500);
    EXPECT_DOUBLE_EQ(context.abneyReadings[2].startLevel, 100);
    EXPECT_EQ(context.branches[2].headRow, 11);
    ASSERT_TRUE(reduce(true));
    // Chainage (E), slope (L), height (M) and level (N), each to three decimals: B rises
    // 40 sin 2.5° = 1.745, C 100 sin 3° = 5.234 from the given 500; station 0 without a distance
    // keeps the starting level, Spur starts from Main's C on the level, and Hill's station 0 has a
    // leg of its own (20 sin 30° = 10).
    test::expectSheetGolden(sheet, 5, 12, {3, 5, 12, 13, 14}, "abney_book");
    EXPECT_EQ(test::messageBoxes(ui), std::vector<std::string>{test::kComplete});

    ui = {};  // without report there is no completion message
    ASSERT_TRUE(reduce(false));
    EXPECT_TRUE(ui.messageTexts().empty());
}

TEST_F(AbneyFixture, ForeAndBackAnglesThatDisagreeAreNamedByStation) {
    const std::string agree =
        "AbneySurvey: the fore and back angles of every leg read both ways "
        "agree within the tolerance of ";
    // Beyond the tolerance, and exactly at it, is checked with the command's own tolerance.
    const struct {
        double backDegrees, toleranceMinutes;
        std::string line;
    } cases[] = {{-2, 30, agree + "30'."}, {-2, 0, agree + "0'."}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        loadRow(sheet, 7, 9, {c.backDegrees});
        context = {};
        context.tolerances.angleToleranceMinutes = c.toleranceMinutes;
        ASSERT_TRUE(reduce(false));
        EXPECT_EQ(context.report, std::vector<std::string>{c.line});
    }
}

TEST_F(AbneyFixture, AWriteFailureIsReportedAndTheRowsBeforeItStay) {
    EXPECT_FALSE(reduce(true, {.writesBeforeFailure = 6}));  // the third cell of row 7
    EXPECT_EQ(test::messageBoxes(ui),
              std::vector<std::string>{test::writeFailure(7, "AbneySurvey", 13)});
    EXPECT_EQ(numberIn(sheet, 6, 14), 500);
    EXPECT_EQ(numberIn(sheet, 7, 12), 2.5);
    EXPECT_TRUE(isEmpty(sheet.cell(7, 13)));
}

// A missing book is reported through the command (tests/commands).
TEST_F(AbneyFixture, ABadRowIsReportedAndNothingIsWritten) {
    EXPECT_FALSE(reduce(true, {.unreadableRow = 8}));
    EXPECT_FALSE(memory.modified());
    EXPECT_EQ(test::messageBoxes(ui),
              std::vector<std::string>{"ok critical | Error found in the row number 8"});
}

}  // namespace
}  // namespace plovis
