#include "survey/ground_profile.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "host_faults.h"
#include "support/sheet_rows.h"

namespace plovis {
namespace {

using test::loadRow;

const CellValue kEmpty{};

// Two branches: Main of points A..E and Spur of points C, x, y.
void loadTwoBranches(MemoryWorksheet& s) {
    loadRow(s, 4, 2, {"Main"});
    loadRow(s, 5, 2, {"A", 7.0, 1000.0, 0.0});
    loadRow(s, 6, 2, {"B", 100.0, 995.5, 1.0});
    loadRow(s, 7, 2, {"C", 150.0, 990.0, kEmpty});
    loadRow(s, 8, 2, {"D", 100.0, 1002.0, "1"});
    loadRow(s, 9, 2, {"E", 50.0, 1012.0, 0.0});
    loadRow(s, 10, 2, {"Spur"});
    loadRow(s, 11, 2, {"c", kEmpty, "990 m", kEmpty});
    loadRow(s, 12, 2, {"x", 40.0, 985.0, kEmpty});
}

struct GroundProfileFixture : ::testing::Test, test::SurveyRun {
    MemoryWorksheet& sheet = memory.addSheet("GroundProfile");
    bool read() { return readGroundProfile(context, memory, ui, true); }
};

TEST_F(GroundProfileFixture, ReadsEachBranchFromItsHeaderRow) {
    loadTwoBranches(sheet);
    ASSERT_TRUE(read());
    ASSERT_EQ(context.branches.size(), 2u);
    const SurveyBranch& main = context.branches[0];
    EXPECT_EQ(main.name + " " + std::to_string(main.headRow) + " " + std::to_string(main.lastPoint),
              "Main 0 4");
    EXPECT_EQ(main.labels, (std::vector<std::string>{"A", "B", "C", "D", "E"}));
    EXPECT_EQ(main.distances, (std::vector<double>{7, 100, 150, 100, 50}));
    EXPECT_EQ(main.levels, (std::vector<double>{1000, 995.5, 990, 1002, 1012}));
    EXPECT_EQ(main.codes, (std::vector<std::int16_t>{0, 1, 0, 1, 0}));
    const SurveyBranch& spur = context.branches[1];
    EXPECT_EQ(spur.name + " " + std::to_string(spur.lastPoint), "Spur 1");
    EXPECT_EQ(spur.distances, (std::vector<double>{0, 40}));
    EXPECT_EQ(spur.levels, (std::vector<double>{990, 985}));  // "990 m" by its leading number
    EXPECT_TRUE(ui.events().empty());
}

TEST_F(GroundProfileFixture, TheRowBelowAHeaderIsAlwaysPointZero) {
    loadRow(sheet, 4, 2, {"Main"});
    loadRow(sheet, 5, 2, {"Looks like a header"});  // C and D empty, but right below a header
    loadRow(sheet, 6, 2, {"B", 10.0, 5.0});
    loadRow(sheet, 7, 2, {"Spur"});  // C and D empty: a new branch
    ASSERT_TRUE(read());
    ASSERT_EQ(context.branches.size(), 2u);
    EXPECT_EQ(context.branches[0].labels, (std::vector<std::string>{"Looks like a header", "B"}));
    // The header on the last row still gets its point 0, from the empty row below it.
    EXPECT_EQ(context.branches[1].labels, std::vector<std::string>{""});
    EXPECT_EQ(context.branches[1].lastPoint, 0);
}

TEST_F(GroundProfileFixture, AnEmptySheetHasNoBranches) {
    loadRow(sheet, 5, 2, {"below the end"});
    ASSERT_TRUE(read());
    EXPECT_TRUE(context.branches.empty());
}

TEST(GroundProfileReader, AMissingSheetIsReportedOnlyWhenAsked) {
    MemoryWorkbook workbook;
    workbook.addSheet("PD-CW-Sample");
    SurveyContext context;
    context.branches.resize(3);  // a table from an earlier read
    RecordingUserInterface quiet;
    EXPECT_FALSE(readGroundProfile(context, workbook, quiet, false));
    EXPECT_TRUE(quiet.events().empty());
    EXPECT_TRUE(context.branches.empty());

    RecordingUserInterface ui;
    EXPECT_FALSE(readGroundProfile(context, workbook, ui, true));
    EXPECT_EQ(test::messageBoxes(ui), std::vector<std::string>{test::kNoGroundProfile});
}

// The reasons are compared whole with a reviewed golden text.
TEST(GroundProfileReader, ABadRowIsReportedWithItsRowWhateverReportSays) {
    const struct {
        const char* what;
        std::vector<std::vector<CellValue>> rows;  // from row 4, column B
        int unreadableRow;
        int failedRow;
    } cases[] = {// clang-format off
        {"first row not a header", {{"A", 0.0, 1000.0}}, 0, 4},
        {"code beyond 16 bits", {{"Main"}, {"A", 0.0, 1000.0, 1.0}, {"B", 10.0, 1000.0, 32768.0}},
         0, 6},
        {"level too large for a number", {{"Main"}, {"A", 0.0, "1e400"}}, 0, 5},
        {"an error value", {{"Main"}, {"A", "#DIV/0!", 1000.0}}, 0, 5},
        {"host failure", {{"Main"}, {"A", 0.0, 1000.0}, {"B", 10.0, 1000.0}}, 6, 6}};
    // clang-format on
    std::string text;
    for (const auto& c : cases) {
        std::vector<std::string> reported;  // the same reasons whatever report says
        MemoryWorkbook memory;
        MemoryWorksheet& sheet = memory.addSheet("GroundProfile");
        for (int row = 4; const auto& cells : c.rows) {
            for (int column = 2; const CellValue& v : cells)
                sheet.load(row, column++, v);
            ++row;
        }
        test::FailingWorkbook workbook(memory);
        workbook.failReadsOfRow(c.unreadableRow);
        for (bool report : {true, false}) {
            SCOPED_TRACE(testing::Message() << c.what << (report ? ", report" : ""));
            SurveyContext context;
            RecordingUserInterface ui;
            EXPECT_FALSE(readGroundProfile(context, workbook, ui, report));
            EXPECT_EQ(test::messageBoxes(ui),
                      std::vector<std::string>{"ok critical | Error found in the row number " +
                                               std::to_string(c.failedRow)});
            EXPECT_TRUE(context.branches.empty());
            if (!report) {
                EXPECT_EQ(context.report, reported);
            }
            reported = context.report;
        }
        text += std::string("== ") + c.what + "\n";
        for (const std::string& line : reported) {
            text += line + "\n";
        }
    }
    test::expectGolden(text, "survey", "bad_ground_rows");
}

TEST_F(GroundProfileFixture, BranchNamesMatchIgnoringCaseAndTheFirstOfTwoWins) {
    loadTwoBranches(sheet);
    loadRow(sheet, 13, 2, {"MAIN"});
    loadRow(sheet, 14, 2, {"Z", 0.0, 1.0});
    loadRow(sheet, 15, 2, {"Pāni"});
    loadRow(sheet, 16, 2, {"Z", 0.0, 1.0});
    ASSERT_TRUE(read());
    const GroundProfile ground = indexGroundProfile(context.branches);
    EXPECT_EQ(findBranch(ground, "main"), 0);
    EXPECT_EQ(findBranch(ground, "sPuR"), 1);
    EXPECT_EQ(findBranch(ground, "PĀNI"), 3);  // beyond ASCII too
    EXPECT_EQ(findBranch(ground, "Branch 3"), -1);
}

TEST(PointRangeLookup, FindsTheStretchBetweenTwoLabels) {
    SurveyBranch b;
    for (const char* label : {"P1", "P2", "p3", "P2", "P4", "P1", "Ñā"})
        addPoint(b, label, 1);
    const GroundProfile ground = indexGroundProfile({b});
    const struct {
        const char *from, *to;
        std::int32_t first, last;
    } cases[] = {{"P1", "P4", 0, 4},   {"P3", "p4", 2, 4},  // either case matches
                 {"P2", "P2", 1, 1},                        // same label: same point
                 {"P4", "P2", 4, -1},                       // P2 only before P4
                 {"P4", "P1", 4, 5},                        // P1 searched from P4 on
                 {"P3", "P2", 2, 3},                        // second P2, after P3
                 {"P9", "P1", -1, -1}, {"P1", "P9", 0, -1}, {"p4", "ñĀ", 4, 6}};
    for (const auto& c : cases) {
        const PointRange r = findPointRange(ground, c.from, c.to, 0);
        EXPECT_EQ(std::pair(r.first, r.last), std::pair(c.first, c.last)) << c.from << "-" << c.to;
    }
}

TEST(GroundLine, APointFurtherAlongLiesAtItsRunningChainage) {
    SurveyBranch b;
    b.name = "Main";
    addPoint(b, "A", 30);  // its own distance does not move the first point
    addPoint(b, "B", 100);
    addPoint(b, "C", 150);
    b.levels = {990, 1000, 1012};
    const GroundProfile ground = indexGroundProfile({b});
    const auto line = groundLineBetween(ground, "MAIN", "a", "c");
    ASSERT_EQ(line.size(), 3u);
    const double expected[][3] = {{0, 30, 990}, {100, 100, 1000}, {250, 150, 1012}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_DOUBLE_EQ(line[i].chainage, expected[i][0]) << i;
        EXPECT_DOUBLE_EQ(line[i].distance, expected[i][1]) << i;
        EXPECT_DOUBLE_EQ(line[i].level, expected[i][2]) << i;
    }
    // Nothing to draw gives no points; a zero scale fails.
    for (auto [branch, from, to] :
         {std::tuple{"Spur", "A", "B"}, {"Main", "A", "A"}, {"Main", "B", "A"}, {"Main", "A", "Q"}})
        EXPECT_TRUE(groundLineBetween(ground, branch, from, to).empty()) << to;
    EXPECT_EQ(groundLineBetween(ground, "Main", "A", "B").size(), 2u);
}

TEST_F(GroundProfileFixture, ADrawingReadsTheSheetOnceAndLooksUpEverySheetInTheModel) {
    loadTwoBranches(sheet);
    const GroundProfile ground = loadGroundProfile(memory, ui);
    sheet.clearRange("B4:E20");  // later changes to the sheet do not reach the lookups
    const auto first = groundLineBetween(ground, "Main", "A", "C");
    const auto second = groundLineBetween(ground, "Main", "C", "E");
    ASSERT_EQ(first.size(), 3u);
    ASSERT_EQ(second.size(), 3u);
    EXPECT_DOUBLE_EQ(first.back().chainage, 250);
    EXPECT_DOUBLE_EQ(second.back().chainage, 150);
    EXPECT_DOUBLE_EQ(second.back().level, 1012);
}

TEST(GroundProfileLoad, AnUnreadableSheetGivesAnEmptyProfileAndOneMessage) {
    MemoryWorkbook workbook;
    loadRow(workbook.addSheet("GroundProfile"), 4, 2, {"A", 1.0, 2.0});
    RecordingUserInterface ui;
    const GroundProfile ground = loadGroundProfile(workbook, ui);
    EXPECT_TRUE(ground.branches.empty());
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string>{"Error found in the row number 4"});

    MemoryWorkbook noSheet;
    noSheet.addSheet("Other");
    RecordingUserInterface quiet;
    EXPECT_TRUE(loadGroundProfile(noSheet, quiet).branches.empty());
    EXPECT_TRUE(quiet.events().empty());
}

}  // namespace
}  // namespace plovis
