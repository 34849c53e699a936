#include "survey/branch_sections.h"

#include <gtest/gtest.h>

#include "host_faults.h"
#include "support/sheet_rows.h"

namespace plovis {
namespace {

using test::loadRow;
using test::rowText;
using Sections = std::vector<std::pair<std::string, std::string>>;

SurveyBranch branchOf(std::vector<std::string> labels, std::vector<std::int16_t> codes) {
    SurveyBranch b;
    for (auto& l : labels)
        addPoint(b, l, 10);
    b.codes = std::move(codes);
    return b;
}

TEST(SectionsOf, ControlPointsCutTheBranchAndLengthsSumTheDistancesAfterTheStart) {
    EXPECT_EQ(sectionsOf(branchOf({"A", "B", "C", "D", "E"}, {0, 1, 0, 1, 0})),
              (Sections{{"A", "B"}, {"B", "D"}, {"D", "E"}}));
    EXPECT_EQ(sectionsOf(branchOf({"A", "B", "C"}, {0, 0, 0})), (Sections{{"A", "C"}}));
    EXPECT_EQ(sectionsOf(branchOf({"A"}, {1})), (Sections{{"A", "A"}}));
    // The ends bound a section whatever their codes; codes other than 1 cut nothing.
    EXPECT_EQ(sectionsOf(branchOf({"A", "B", "C"}, {1, 0, 1})), (Sections{{"A", "C"}}));
    EXPECT_EQ(sectionsOf(branchOf({"A", "B", "C", "D"}, {0, 2, -1, 0})), (Sections{{"A", "D"}}));
    EXPECT_EQ(sectionsOf(branchOf({"A", "B"}, {1, 1})), (Sections{{"A", "B"}}));
    // A section's length sums the distances after its start point.
    SurveyBranch b;
    addPoint(b, "A", 999);
    addPoint(b, "B", 60);
    addPoint(b, "C", 40);
    EXPECT_DOUBLE_EQ(sectionLength(b, 0, 2), 100);
    EXPECT_DOUBLE_EQ(sectionLength(b, 1, 1), 0);
}

// Main: A..E with control points B and D; Spur: c, x, y.
void loadGround(MemoryWorksheet& s) {
    loadRow(s, 4, 2, {"Main"});
    loadRow(s, 5, 2, {"A", 0.0, 1000.0, 0.0});
    loadRow(s, 6, 2, {"B", 100.0, 995.0, 1.0});
    loadRow(s, 7, 2, {"C", 150.0, 990.0, 0.0});
    loadRow(s, 8, 2, {"D", 100.0, 1002.0, 1.0});
    loadRow(s, 9, 2, {"E", 50.0, 1012.0, 0.0});
    loadRow(s, 10, 2, {"Spur"});
    loadRow(s, 11, 2, {"c", 0.0, 990.0});
    loadRow(s, 12, 2, {"x", 40.0, 985.0});
    loadRow(s, 13, 2, {"y", 60.0, 980.0});
}

struct SectionsFixture : ::testing::Test, test::SurveyRun {
    MemoryWorksheet& ground = memory.addSheet("GroundProfile");
    MemoryWorksheet& design = memory.addSheet("PD-CW-Sample");

    SectionsFixture() {
        loadGround(ground);
        // An earlier, longer list with results and design values.
        for (int row = 15; row <= 30; ++row) {
            loadRow(design, row, 2, {1.0, "old", "older", 5.0, 6.0, 7.0, 8.0, 9.0, 10.0, 11.0});
            design.load(row, 45, 45.0);  // AS
            design.load(row, 46, 46.0);  // AT: beyond the header row's clearing
        }
    }
    bool list(bool report, test::HostFaults given = {}) {
        return run([&](SpreadsheetHost& h) { return listBranchSections(context, h, ui, report); },
                   given);
    }
    bool lengths(test::HostFaults given = {}) {
        return run([&](SpreadsheetHost& h) { return computeSectionLengths(context, h, ui); },
                   given);
    }
    // Length, length with 10 % added, start and end level of a section row.
    std::string result(int row) { return rowText(design, row, {5, 6, 9, 10}); }
};

TEST_F(SectionsFixture, TheListIsWrittenFromRow15AndNoEarlierRowSurvives) {
    ASSERT_TRUE(list(true));
    // The list area was cleared first; results (E on) are the length command's to clear.
    test::expectSheetGolden(design, 15, 30, {2, 3, 4, 5}, "section_list");
    EXPECT_EQ(ui.captions(StatusLabel::MainStatus), test::branchCaptions({1, 2}));
    EXPECT_EQ(test::messageBoxes(ui), std::vector<std::string>{test::kComplete});
    EXPECT_EQ(calculation, test::kManualThenAutomatic);

    ui = {};  // without report the list ends silently
    ASSERT_TRUE(list(false));
    EXPECT_TRUE(ui.messageTexts().empty());
    // The list reads back as the section table.
    ASSERT_TRUE(readSectionTable(context, memory, ui));
    ASSERT_EQ(context.sections.size(), 2u);
    const PipeBranch& main = context.sections[0];
    EXPECT_EQ(
        main.name + " " + std::to_string(main.headRow) + " " + std::to_string(main.lastSection),
        "Main 15 2");
    EXPECT_EQ(main.fromLabels, (std::vector<std::string>{"A", "B", "D"}));
    EXPECT_EQ(main.toLabels, (std::vector<std::string>{"B", "D", "E"}));
    EXPECT_EQ(context.sections[1].headRow, 19);
    EXPECT_EQ(context.sections[1].toLabels, std::vector<std::string>{"y"});
}

TEST_F(SectionsFixture, LengthsAndLevelsOfEverySection) {
    ASSERT_TRUE(list(false));
    design.load(15, 7, std::string("stale"));
    design.load(40, 6, 66.0);  // a stale result far below the list
    ASSERT_TRUE(lengths());
    EXPECT_EQ(test::numberIn(design, 16, 6), 100 * 1.1);
    // Length (E), with 10 % added (F), start and end level (I, J) of each section; the header rows
    // cleared from E to AS, the design columns of section rows and every result below kept.
    test::expectSheetGolden(design, 15, 40, {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 45, 46},
                            "section_lengths");
    EXPECT_EQ(test::messageBoxes(ui), std::vector<std::string>{test::kComplete});
}

TEST_F(SectionsFixture, LabelsMatchIgnoringCaseAndFromTheFirstOccurrence) {
    ASSERT_TRUE(list(false));
    loadRow(ground, 14, 2, {"X", 5.0, 970.0});  // x again, after y
    loadRow(design, 20, 3, {"C", "X"});
    loadRow(design, 17, 3, {"b", "d"});
    ASSERT_TRUE(lengths());
    EXPECT_EQ(result(20), "40 44 990 985");  // the first x, searched from c on
    EXPECT_EQ(result(17), "250 275 995 1002");
}

// A branch, or a section, not in the ground profile is asked about: No skips it, Yes ends the
// command (a section's results cleared before the question, not written after it); a section
// whose end comes before its start is missing too. The questions and the results of rows 16-20
// after each run are compared whole with a reviewed golden text.
TEST_F(SectionsFixture, AMissingBranchOrSectionIsAskedAboutNoSkipsItYesEndsTheCommand) {
    const struct {
        const char* what;
        std::vector<std::pair<int, std::vector<CellValue>>> rows;  // loaded from column C
        std::vector<Answer> answers;
        bool done;
    } cases[] = {
        {"branch, no", {{15, {"Other"}}}, {Answer::No}, true},
        {"branch, yes", {{19, {"Other"}}}, {Answer::Yes}, false},
        {"sections, no", {{16, {"P3", "P7"}}, {17, {"D", "B"}}}, {Answer::No, Answer::No}, true},
        {"section, yes", {{16, {"P3", "P7"}}}, {Answer::Yes}, false}};
    std::string text;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(list(false));
        for (const auto& [row, cells] : c.rows)
            for (int column = 3; const CellValue& v : cells)
                design.load(row, column++, v);
        ui = {};
        for (Answer a : c.answers)
            ui.script({a});
        EXPECT_EQ(lengths(), c.done);
        EXPECT_EQ(ui.unusedAnswers(), 0u);
        text += std::string("== ") + c.what + "\n";
        for (const std::string& shown : test::messageBoxes(ui))
            text += shown + "\n";
        for (int row = 16; row <= 20; ++row)
            text += std::to_string(row) + ": " + result(row) + "\n";
    }
    test::expectGolden(text, "survey", "missing_sections");
}

TEST_F(SectionsFixture, AMissingSheetStopsBothCommands) {
    const std::string noDesign =
        "ok critical | Please first open the correct data file with the sheet named PD-CW-Sample";
    for (const char* present : {"GroundProfile", "PD-CW-Sample"}) {
        SCOPED_TRACE(present);
        MemoryWorkbook book;
        MemoryWorksheet& sheet = book.addSheet(present);
        if (std::string(present) == "GroundProfile") loadGround(sheet);
        test::SingleWorkbookHost host(&book);
        RecordingUserInterface shown;
        EXPECT_FALSE(listBranchSections(context, host, shown, true));
        EXPECT_FALSE(computeSectionLengths(context, host, shown));
        const std::string missing = present[0] == 'G' ? noDesign : test::kNoGroundProfile;
        EXPECT_EQ(test::messageBoxes(shown), (std::vector<std::string>{missing, missing}));
        EXPECT_FALSE(book.modified());
    }
}

TEST_F(SectionsFixture, AnUnreadableSectionRowIsReportedPlainly) {
    ASSERT_TRUE(list(false));
    memory.markSaved();
    EXPECT_FALSE(lengths({.unreadableRow = 17}));
    EXPECT_EQ(
        test::messageBoxes(ui),
        std::vector<std::string>{"ok | Please check for possible error in the row number 17"});
    EXPECT_FALSE(memory.modified());
    EXPECT_TRUE(context.sections.empty());
}

TEST_F(SectionsFixture, WriteFailuresAreReportedAndTheRowsBeforeThemStay) {
    EXPECT_FALSE(list(true, {.writesBeforeFailure = 8}));  // header and two sections of Main
    EXPECT_EQ(test::messageBoxes(ui),
              std::vector<std::string>{test::writeFailure(18, "PD-CW-Sample", 2)});
    EXPECT_EQ(rowText(design, 17, {4}), "'D'");
    EXPECT_EQ(rowText(design, 18, {2}), "-");
    EXPECT_EQ(calculation, test::kManualThenAutomatic);

    ASSERT_TRUE(list(false));
    ui = {};
    EXPECT_FALSE(lengths({.writesBeforeFailure = 5}));
    EXPECT_EQ(test::messageBoxes(ui),
              std::vector<std::string>{test::writeFailure(17, "PD-CW-Sample", 6)});
    EXPECT_EQ(result(16), "100 110 1000 995");
    EXPECT_EQ(rowText(design, 17, {6}), "-");
}

TEST_F(SectionsFixture, AListPastRow65000IsRefusedWhole) {
    ground.clearRange("B4:E20");
    loadRow(ground, 4, 2, {"Long"});
    for (int i = 0; i < 64987; ++i)  // every point a control point: a section per point after A
        loadRow(ground, 5 + i, 2, {"P" + std::to_string(i), 1.0, 1.0, 1.0});
    memory.markSaved();
    EXPECT_FALSE(list(true));
    EXPECT_EQ(ui.messageTexts(),
              std::vector<std::string>{"The section list does not fit in the sheet PD-CW-Sample: "
                                       "it would pass the row number 65000. Nothing was written."});
    EXPECT_FALSE(memory.modified());

    ground.clearRange("B64991:E64991");  // one point fewer: the last section ends on row 65000
    ASSERT_TRUE(list(false));
    EXPECT_EQ(design.cell(65000, 4), CellValue("P64985"));
}

}  // namespace
}  // namespace plovis
