#include "survey/branch_sections.h"

#include <gtest/gtest.h>

#include "host_faults.h"
#include "hosts/recording_user_interface.h"
#include "support/messages_shown.h"
#include "support/sheet_rows.h"

namespace plovis {
namespace {

using test::loadRow;
using test::numberIn;
using Sections = std::vector<std::pair<std::string, std::string>>;

const CellValue kEmpty{};
const std::string kNoDesignSheet =
    "Please first open the correct data file with the sheet named PD-CW-Sample";

SurveyBranch branchOf(std::vector<std::string> labels, std::vector<std::int16_t> codes) {
    SurveyBranch b;
    for (auto& l : labels)
        addPoint(b, l, 10);
    b.codes = std::move(codes);
    return b;
}

TEST(SectionsOf, ControlPointsCutTheBranch) {
    EXPECT_EQ(sectionsOf(branchOf({"A", "B", "C", "D", "E"}, {0, 1, 0, 1, 0})),
              (Sections{{"A", "B"}, {"B", "D"}, {"D", "E"}}));
    EXPECT_EQ(sectionsOf(branchOf({"A", "B", "C"}, {0, 0, 0})), (Sections{{"A", "C"}}));
    EXPECT_EQ(sectionsOf(branchOf({"A"}, {1})), (Sections{{"A", "A"}}));
    // The ends bound a section whatever their codes; codes other than 1 cut nothing.
    EXPECT_EQ(sectionsOf(branchOf({"A", "B", "C"}, {1, 0, 1})), (Sections{{"A", "C"}}));
    EXPECT_EQ(sectionsOf(branchOf({"A", "B", "C", "D"}, {0, 2, -1, 0})), (Sections{{"A", "D"}}));
    EXPECT_EQ(sectionsOf(branchOf({"A", "B"}, {1, 1})), (Sections{{"A", "B"}}));
}

TEST(SectionLength, SumsTheDistancesAfterTheStartPoint) {
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

struct SectionsFixture : ::testing::Test {
    MemoryWorkbook memory{"scheme.xlsx"};
    MemoryWorksheet& ground = memory.addSheet("GroundProfile");
    MemoryWorksheet& design = memory.addSheet("PD-CW-Sample");
    RecordingUserInterface ui;
    SurveyContext context;
    std::vector<Calculation> calculation;  // the host's calculation changes in the last run

    SectionsFixture() {
        loadGround(ground);
        // An earlier, longer list with results and design values.
        for (int row = 15; row <= 30; ++row) {
            loadRow(design, row, 2, {1.0, "old", "older", 5.0, 6.0, 7.0, 8.0, 9.0, 10.0, 11.0});
            design.load(row, 45, 45.0);  // AS
            design.load(row, 46, 46.0);  // AT: beyond the header row's clearing
        }
    }
    template <typename Run>
    bool run(Run routine, test::HostFaults given = {}) {
        const auto run = test::runWithFaults(memory, given, routine);
        calculation = run.calculation;
        return run.done;
    }
    bool list(bool report, test::HostFaults given = {}) {
        return run([&](SpreadsheetHost& h) { return listBranchSections(context, h, ui, report); },
                   given);
    }
    bool lengths(test::HostFaults given = {}) {
        return run([&](SpreadsheetHost& h) { return computeSectionLengths(context, h, ui); },
                   given);
    }
    void expectResult(int row, double length, double fromLevel, double toLevel) {
        SCOPED_TRACE(row);
        EXPECT_DOUBLE_EQ(numberIn(design, row, 5), length);
        EXPECT_DOUBLE_EQ(numberIn(design, row, 6), length * 1.1);
        EXPECT_DOUBLE_EQ(numberIn(design, row, 9), fromLevel);
        EXPECT_DOUBLE_EQ(numberIn(design, row, 10), toLevel);
    }
    void expectNoResult(int row) {
        for (int column : {5, 6, 9, 10})
            EXPECT_TRUE(isEmpty(design.cell(row, column))) << row << "," << column;
    }
};

TEST_F(SectionsFixture, TheListIsWrittenFromRow15AndNoEarlierRowSurvives) {
    ASSERT_TRUE(list(true));
    const struct {
        int row;
        CellValue number;
        const char* from;
        CellValue to;
    } rows[] = {
        {15, kEmpty, "Main", kEmpty},  // the list area was cleared first
        {16, 1.0, "A", "B"},          {17, 2.0, "B", "D"}, {18, 3.0, "D", "E"},
        {19, kEmpty, "Spur", kEmpty}, {20, 1.0, "c", "y"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.row);
        EXPECT_EQ(design.cell(r.row, 2), r.number);
        EXPECT_EQ(design.cell(r.row, 3), CellValue(r.from));
        EXPECT_EQ(design.cell(r.row, 4), r.to);
    }
    for (int row = 21; row <= 30; ++row) {
        for (int column = 2; column <= 4; ++column)
            EXPECT_TRUE(isEmpty(design.cell(row, column))) << row << "," << column;
    }
    EXPECT_EQ(design.cell(21, 5), CellValue(5.0));  // results are the length command's to clear
    EXPECT_EQ(ui.captions(StatusLabel::MainStatus),
              (std::vector<std::string>{"Processing branch 1.Please wait...",
                                        "Processing branch 2.Please wait..."}));
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string>{"Processing is complete"});
    EXPECT_EQ(calculation, test::kManualThenAutomatic);
    EXPECT_EQ(memory.calculation(), Calculation::Automatic);
}

TEST_F(SectionsFixture, WithoutReportTheListEndsSilently) {
    ASSERT_TRUE(list(false));
    EXPECT_TRUE(ui.messageTexts().empty());
}

TEST_F(SectionsFixture, TheListReadsBackAsTheSectionTable) {
    ASSERT_TRUE(list(false));
    ASSERT_TRUE(readSectionTable(context, memory, ui));
    ASSERT_EQ(context.sections.size(), 2u);
    const PipeBranch& main = context.sections[0];
    EXPECT_EQ(main.name, "Main");
    EXPECT_EQ(main.headRow, 15);
    EXPECT_EQ(main.lastSection, 2);
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
    expectResult(16, 100, 1000, 995);
    EXPECT_EQ(numberIn(design, 16, 6), 100 * 1.1);  // 110
    expectResult(17, 250, 995, 1002);
    expectResult(18, 50, 1002, 1012);
    expectResult(20, 100, 990, 980);
    for (int column = 5; column <= 45; ++column) {  // the header rows from E to AS
        EXPECT_TRUE(isEmpty(design.cell(15, column))) << column;
        EXPECT_TRUE(isEmpty(design.cell(19, column))) << column;
    }
    EXPECT_EQ(design.cell(15, 46), CellValue(46.0));
    EXPECT_EQ(design.cell(16, 7), CellValue(7.0));  // design columns of section rows stay
    for (int row : {21, 30, 40})
        expectNoResult(row);
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string>{"Processing is complete"});
    EXPECT_EQ(calculation, test::kManualThenAutomatic);
    EXPECT_EQ(memory.calculation(), Calculation::Automatic);
}

TEST_F(SectionsFixture, LabelsMatchIgnoringCaseAndFromTheFirstOccurrence) {
    ASSERT_TRUE(list(false));
    loadRow(ground, 14, 2, {"X", 5.0, 970.0});  // x again, after y
    loadRow(design, 20, 3, {"C", "X"});
    loadRow(design, 17, 3, {"b", "d"});
    ASSERT_TRUE(lengths());
    expectResult(20, 40, 990, 985);  // the first x, searched from c on
    expectResult(17, 250, 995, 1002);
}

std::string assureText(const std::string& what) {
    return "It could not find data for branch " + what +
           ". Do you want to exit and correct it first.";
}

TEST_F(SectionsFixture, AMissingBranchIsAskedAboutAndNoSkipsIt) {
    ASSERT_TRUE(list(false));
    loadRow(design, 15, 3, {"Other"});
    ui.script({Answer::No});
    ASSERT_TRUE(lengths());
    ASSERT_EQ(ui.messageTexts(),
              (std::vector<std::string>{assureText("Other"), "Processing is complete"}));
    const Message question = test::messagesShown(ui)[0];
    EXPECT_EQ(question.title, std::optional<std::string>("Assure it"));
    EXPECT_EQ(question.buttons, Buttons::YesNo);
    EXPECT_EQ(question.icon, Icon::None);
    for (int row : {16, 17, 18})
        expectNoResult(row);
    expectResult(20, 100, 990, 980);
}

TEST_F(SectionsFixture, YesEndsTheCommandWhereItIs) {
    ASSERT_TRUE(list(false));
    loadRow(design, 19, 3, {"Other"});
    ui.script({Answer::Yes});
    EXPECT_FALSE(lengths());
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string>{assureText("Other")});
    expectResult(18, 50, 1002, 1012);
    expectNoResult(20);
    EXPECT_EQ(memory.calculation(), Calculation::Automatic);
}

TEST_F(SectionsFixture, AMissingSectionIsAskedAboutByItsLabels) {
    ASSERT_TRUE(list(false));
    loadRow(design, 16, 3, {"P3", "P7"});
    loadRow(design, 17, 3, {"D", "B"});  // the end comes before the start
    ui.script({Answer::No, Answer::No});
    ASSERT_TRUE(lengths());
    EXPECT_EQ(ui.messageTexts(), (std::vector<std::string>{assureText("P3-P7"), assureText("D-B"),
                                                           "Processing is complete"}));
    EXPECT_EQ(ui.messageTexts()[0],
              "It could not find data for branch P3-P7. Do you want to exit and correct it "
              "first.");
    expectNoResult(16);
    expectNoResult(17);
    expectResult(18, 50, 1002, 1012);

    RecordingUserInterface stop;
    test::SingleWorkbookHost host(&memory);
    stop.script({Answer::Yes});
    EXPECT_FALSE(computeSectionLengths(context, host, stop));
    EXPECT_EQ(stop.messageTexts(), std::vector<std::string>{assureText("P3-P7")});
    expectNoResult(18);  // cleared before the question, not written after it
}

TEST_F(SectionsFixture, AMissingDesignSheetIsReportedByBothCommands) {
    MemoryWorkbook book;
    loadGround(book.addSheet("GroundProfile"));
    test::SingleWorkbookHost host(&book);
    EXPECT_FALSE(listBranchSections(context, host, ui, true));
    EXPECT_FALSE(computeSectionLengths(context, host, ui));
    EXPECT_EQ(ui.messageTexts(), (std::vector<std::string>{kNoDesignSheet, kNoDesignSheet}));
    for (const UiEvent& e : ui.events())
        EXPECT_EQ(e.message.icon, Icon::Critical);
    EXPECT_FALSE(book.modified());
}

TEST_F(SectionsFixture, AMissingGroundProfileStopsBothCommands) {
    MemoryWorkbook book;
    book.addSheet("PD-CW-Sample");
    test::SingleWorkbookHost host(&book);
    EXPECT_FALSE(listBranchSections(context, host, ui, true));
    EXPECT_FALSE(computeSectionLengths(context, host, ui));
    const std::string missing =
        "Please open the correct data file that contains the sheet named GroundProfile";
    EXPECT_EQ(ui.messageTexts(), (std::vector<std::string>{missing, missing}));
}

TEST_F(SectionsFixture, AnUnreadableSectionRowIsReportedPlainly) {
    ASSERT_TRUE(list(false));
    memory.markSaved();
    EXPECT_FALSE(lengths({.unreadableRow = 17}));
    const auto shown = test::messagesShown(ui);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Please check for possible error in the row number 17");
    EXPECT_EQ(shown[0].icon, Icon::None);
    EXPECT_FALSE(memory.modified());
    EXPECT_TRUE(context.sections.empty());
}

TEST_F(SectionsFixture, WriteFailuresAreReportedAndTheRowsBeforeThemStay) {
    EXPECT_FALSE(list(true, {.writesBeforeFailure = 8}));  // header and two sections of Main
    EXPECT_EQ(
        ui.messageTexts(),
        std::vector<std::string>{
            "Could not write the row number 18 of the sheet PD-CW-Sample: the cell at row 18, "
            "column 2 cannot be written\rThe rows before it keep what was written."});
    EXPECT_EQ(design.cell(17, 4), CellValue("D"));
    EXPECT_TRUE(isEmpty(design.cell(18, 2)));
    EXPECT_EQ(memory.calculation(), Calculation::Automatic);

    ASSERT_TRUE(list(false));
    RecordingUserInterface second;
    EXPECT_FALSE(test::runWithFaults(memory, {.writesBeforeFailure = 5}, [&](SpreadsheetHost& h) {
                     return computeSectionLengths(context, h, second);
                 }).done);
    EXPECT_EQ(
        second.messageTexts(),
        std::vector<std::string>{
            "Could not write the row number 17 of the sheet PD-CW-Sample: the cell at row 17, "
            "column 6 cannot be written\rThe rows before it keep what was written."});
    expectResult(16, 100, 1000, 995);
    EXPECT_TRUE(isEmpty(design.cell(17, 6)));
    EXPECT_EQ(memory.calculation(), Calculation::Automatic);
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
    RecordingUserInterface fits;
    test::SingleWorkbookHost host(&memory);
    ASSERT_TRUE(listBranchSections(context, host, fits, false));
    EXPECT_EQ(design.cell(65000, 4), CellValue("P64985"));
}

}  // namespace
}  // namespace plovis
