#include "survey/ground_profile.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "host_faults.h"
#include "hosts/recording_user_interface.h"
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

struct GroundProfileFixture : ::testing::Test {
    MemoryWorkbook workbook{"scheme.xlsx"};
    MemoryWorksheet& sheet = workbook.addSheet("GroundProfile");
    RecordingUserInterface ui;
    SurveyContext context;

    bool read(bool report = true) { return readGroundProfile(context, workbook, ui, report); }
};

TEST_F(GroundProfileFixture, ReadsEachBranchFromItsHeaderRow) {
    loadTwoBranches(sheet);
    ASSERT_TRUE(read());
    ASSERT_EQ(context.branches.size(), 2u);
    const SurveyBranch& main = context.branches[0];
    EXPECT_EQ(main.name, "Main");
    EXPECT_EQ(main.headRow, 0);
    EXPECT_EQ(main.lastPoint, 4);
    EXPECT_EQ(main.labels, (std::vector<std::string>{"A", "B", "C", "D", "E"}));
    EXPECT_EQ(main.distances, (std::vector<double>{7, 100, 150, 100, 50}));
    EXPECT_EQ(main.levels, (std::vector<double>{1000, 995.5, 990, 1002, 1012}));
    EXPECT_EQ(main.codes, (std::vector<std::int16_t>{0, 1, 0, 1, 0}));
    const SurveyBranch& spur = context.branches[1];
    EXPECT_EQ(spur.name, "Spur");
    EXPECT_EQ(spur.lastPoint, 1);
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
    const GroundProfile ground = indexGroundProfile(context.branches);
    EXPECT_EQ(findBranch(ground, "Main"), -1);
    EXPECT_TRUE(groundLineBetween(ground, "Main", 0, 5000, 1000, "A", "B", 0, 0).empty());
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
    ASSERT_EQ(ui.events().size(), 1u);
    const Message& m = ui.events()[0].message;
    EXPECT_EQ(m.text,
              "Please open the correct data file that contains the sheet named GroundProfile");
    EXPECT_EQ(m.icon, Icon::Critical);
    EXPECT_EQ(m.buttons, Buttons::Ok);
    EXPECT_FALSE(m.title.has_value());
}

struct BadRowCase {
    const char* what;
    void (*load)(MemoryWorksheet&);
    int unreadableRow;
    int failedRow;
    friend void PrintTo(const BadRowCase& c, std::ostream* os) { *os << c.what; }
};

class GroundProfileBadRow : public ::testing::TestWithParam<BadRowCase> {};

TEST_P(GroundProfileBadRow, IsReportedWithItsRowWhateverReportSays) {
    MemoryWorkbook memory;
    GetParam().load(memory.addSheet("GroundProfile"));
    test::FailingWorkbook workbook(memory);
    workbook.failReadsOfRow(GetParam().unreadableRow);
    for (bool report : {true, false}) {
        SurveyContext context;
        RecordingUserInterface ui;
        EXPECT_FALSE(readGroundProfile(context, workbook, ui, report));
        ASSERT_EQ(ui.events().size(), 1u);
        const Message& m = ui.events()[0].message;
        EXPECT_EQ(m.text, "Error found in the row number " + std::to_string(GetParam().failedRow));
        EXPECT_EQ(m.icon, Icon::Critical);
        EXPECT_FALSE(m.title.has_value());
        EXPECT_TRUE(context.branches.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, GroundProfileBadRow,
                         ::testing::Values(BadRowCase{"first row not a header",
                                                      [](MemoryWorksheet& s) {
                                                          loadRow(s, 4, 2, {"A", 0.0, 1000.0});
                                                      },
                                                      0, 4},
                                           BadRowCase{
                                               "code beyond 16 bits",
                                               [](MemoryWorksheet& s) {
                                                   loadRow(s, 4, 2, {"Main"});
                                                   loadRow(s, 5, 2, {"A", 0.0, 1000.0, 1.0});
                                                   loadRow(s, 6, 2, {"B", 10.0, 1000.0, 32768.0});
                                               },
                                               0, 6},
                                           BadRowCase{"level too large for a number",
                                                      [](MemoryWorksheet& s) {
                                                          loadRow(s, 4, 2, {"Main"});
                                                          loadRow(s, 5, 2, {"A", 0.0, "1e400"});
                                                      },
                                                      0, 5},
                                           BadRowCase{"host failure",
                                                      [](MemoryWorksheet& s) {
                                                          loadRow(s, 4, 2, {"Main"});
                                                          loadRow(s, 5, 2, {"A", 0.0, 1000.0});
                                                          loadRow(s, 6, 2, {"B", 10.0, 1000.0});
                                                      },
                                                      6, 6}),
                         [](const auto& info) {
                             std::string name = info.param.what;
                             for (char& c : name)
                                 if (c == ' ') c = '_';
                             return name;
                         });

TEST_F(GroundProfileFixture, BranchNamesMatchIgnoringCaseAndTheFirstOfTwoWins) {
    loadTwoBranches(sheet);
    loadRow(sheet, 13, 2, {"MAIN"});
    loadRow(sheet, 14, 2, {"Z", 0.0, 1.0});
    ASSERT_TRUE(read());
    const GroundProfile ground = indexGroundProfile(context.branches);
    EXPECT_EQ(findBranch(ground, "main"), 0);
    EXPECT_EQ(findBranch(ground, "sPuR"), 1);
    EXPECT_EQ(findBranch(ground, "Branch 3"), -1);
}

struct RangeCase {
    const char* from;
    const char* to;
    std::int32_t first;
    std::int32_t last;
    friend void PrintTo(const RangeCase& c, std::ostream* os) { *os << c.from << "-" << c.to; }
};

class PointRangeLookup : public ::testing::TestWithParam<RangeCase> {};

TEST_P(PointRangeLookup, FindsTheStretchBetweenTwoLabels) {
    SurveyBranch b;
    for (const char* label : {"P1", "P2", "p3", "P2", "P4", "P1"})
        addPoint(b, label, 1);
    const GroundProfile ground = indexGroundProfile({b});
    const PointRange r = findPointRange(ground, GetParam().from, GetParam().to, 0);
    EXPECT_EQ(r.first, GetParam().first);
    EXPECT_EQ(r.last, GetParam().last);
}

INSTANTIATE_TEST_SUITE_P(Cases, PointRangeLookup,
                         ::testing::Values(RangeCase{"P1", "P4", 0, 4},
                                           RangeCase{"P3", "p4", 2, 4},   // either case matches
                                           RangeCase{"P2", "P2", 1, 1},   // same label: same point
                                           RangeCase{"P4", "P2", 4, -1},  // P2 only before P4
                                           RangeCase{"P4", "P1", 4, 5},   // P1 searched from P4 on
                                           RangeCase{"P3", "P2", 2, 3},   // second P2, after P3
                                           RangeCase{"P9", "P1", -1, -1},
                                           RangeCase{"P1", "P9", 0, -1}));

TEST(GroundLine, APointFurtherAlongIsDrawnAtItsScaledDistanceAndLevel) {
    SurveyBranch b;
    b.name = "Main";
    addPoint(b, "A", 30);  // its own distance does not move the first point
    addPoint(b, "B", 100);
    addPoint(b, "C", 150);
    b.levels = {990, 1000, 1012};
    const GroundProfile ground = indexGroundProfile({b});
    const auto line = groundLineBetween(ground, "MAIN", 1000, 5000, 1000, "a", "c", 200, 40);
    ASSERT_EQ(line.size(), 3u);
    EXPECT_DOUBLE_EQ(line[0].x, 205);
    EXPECT_DOUBLE_EQ(line[0].y, 40 - 10);
    EXPECT_DOUBLE_EQ(line[1].x, 205 + 20);
    EXPECT_DOUBLE_EQ(line[1].y, 40);
    EXPECT_DOUBLE_EQ(line[2].x, 200 + 55);  // 250 along the stretch
    EXPECT_DOUBLE_EQ(line[2].y, 40 + 12);   // datum + 12
    EXPECT_DOUBLE_EQ(line[2].distance, 150);
    EXPECT_DOUBLE_EQ(line[2].level, 1012);
    EXPECT_DOUBLE_EQ(line[0].distance, 30);
}

TEST(GroundLine, NothingToDrawGivesNoPoints) {
    SurveyBranch b;
    b.name = "Main";
    addPoint(b, "A", 0);
    addPoint(b, "B", 10);
    b.levels = {1, 2};
    const GroundProfile ground = indexGroundProfile({b});
    EXPECT_TRUE(groundLineBetween(ground, "Spur", 0, 5000, 1000, "A", "B", 0, 0).empty());
    EXPECT_TRUE(groundLineBetween(ground, "Main", 0, 5000, 1000, "A", "A", 0, 0).empty());
    EXPECT_TRUE(groundLineBetween(ground, "Main", 0, 5000, 1000, "B", "A", 0, 0).empty());
    EXPECT_TRUE(groundLineBetween(ground, "Main", 0, 5000, 1000, "A", "Q", 0, 0).empty());
    EXPECT_EQ(groundLineBetween(ground, "Main", 0, 5000, 1000, "A", "B", 0, 0).size(), 2u);
    EXPECT_THROW(groundLineBetween(ground, "Main", 0, 0, 1000, "A", "B", 0, 0), std::domain_error);
    EXPECT_THROW(groundLineBetween(ground, "Main", 0, 5000, 0, "A", "B", 0, 0), std::domain_error);
}

TEST_F(GroundProfileFixture, ADrawingReadsTheSheetOnceAndLooksUpEverySheetInTheModel) {
    loadTwoBranches(sheet);
    const GroundProfile ground = loadGroundProfile(workbook, ui);
    sheet.clearRange("B4:E20");  // later changes to the sheet do not reach the lookups
    const auto first = groundLineBetween(ground, "Main", 990, 1000, 1000, "A", "C", 0, 0);
    const auto second = groundLineBetween(ground, "Main", 990, 1000, 1000, "C", "E", 0, 0);
    ASSERT_EQ(first.size(), 3u);
    ASSERT_EQ(second.size(), 3u);
    EXPECT_DOUBLE_EQ(first.back().x, 5 + 250);
    EXPECT_DOUBLE_EQ(second.back().x, 5 + 150);
    EXPECT_DOUBLE_EQ(second.back().y, 22);
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
