#include "commands/profile_command.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "profile_command_fixture.h"

namespace plovis {
namespace {

using test::entitiesOf;
using test::findText;
using test::inserts;
using test::linesOnLayer;
using test::section;
using test::textsOnLayer;
using test::titleRow;

constexpr const char* kDataError = "The Data is not correct, Check with the Original Excel File!";

std::vector<test::DesignRow> mainLine() {
    return {titleRow("Main line"), section("IN1", "BPC1", 300, 1300, 1260, 1300, 1300, 1290),
            section("BPC1", "J1", 400, 1260, 1230, 1260, 1260, 1250),
            section("J1", "T1", 200, 1230, 1220, 1260, 1250, 1245)};
}

bool has(const std::vector<std::string>& texts, const std::string& t) {
    return std::find(texts.begin(), texts.end(), t) != texts.end();
}

TEST(ProfileCommand, OneBranchOnOneA4Sheet) {
    test::ProfileFixture f;
    f.rows(mainLine());
    ASSERT_TRUE(f.run());
    const Drawing& d = f.drawing();
    // The sheet starts 250 right of the origin at 60; the first node 5 further.
    ASSERT_EQ(inserts(d, "ini-format").size(), 1u);
    EXPECT_EQ(inserts(d, "ini-format")[0]->insertionPoint(), (Point{310, 95, 0}));
    ASSERT_EQ(inserts(d, "a4_paper").size(), 1u);
    EXPECT_EQ(inserts(d, "a4_paper")[0]->insertionPoint(), (Point{315 - 45, 95 - 75, 0}));
    // Structure symbols on the nodes' ground: IN1, BPC1, J1, T1 (datum 1210).
    ASSERT_EQ(inserts(d, "IN").size(), 1u);
    EXPECT_EQ(inserts(d, "IN")[0]->insertionPoint(), (Point{315, 95 + 90, 0}));
    ASSERT_EQ(inserts(d, "BPC").size(), 1u);
    EXPECT_EQ(inserts(d, "BPC")[0]->insertionPoint(), (Point{315 + 60, 95 + 50, 0}));
    EXPECT_EQ(inserts(d, "JN").size(), 1u);
    EXPECT_EQ(inserts(d, "TAP").size(), 1u);

    const auto texts = textsOnLayer(d, "0");
    for (const char* t : {"Main line",
                          "( Sheet No: 1/1 ) of Kalika WSS",
                          "Scale: [H 1: 5000, V 1: 1000]",
                          "IN1",
                          "BPC1",
                          "J1",
                          "T1",
                          "0",
                          "300",
                          "700",
                          "900",
                          "400",
                          "200",
                          "1300.0",
                          "1260.0",
                          "30.0",
                          "25.0",
                          "1.50",
                          "H63(6)",
                          "Soil",
                          "1210.0",
                          "1310.0"}) {
        EXPECT_TRUE(has(texts, t)) << t;
    }
    // One run each of flow, pipe and soil over the whole sheet.
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "1.50"), 1);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "H63(6)"), 1);
    // The title, the sheet line and the scale text.
    const CadText* title = findText(d, "Main line");
    EXPECT_EQ(title->textAlignmentPoint(), (Point{315 - 38, 95 - 55, 0}));
    EXPECT_DOUBLE_EQ(title->height(), 3.0);
    const CadText* scale = findText(d, "Scale: [H 1: 5000, V 1: 1000]");
    EXPECT_EQ(scale->textAlignmentPoint(), (Point{315 + 230, 95 - 58, 0}));
    EXPECT_EQ(scale->horizontalAlignment(), HorizontalAlignment::Right);
    // The chainage figures read upwards from 0.75 above the chainage row's lower line.
    const CadText* chainage = findText(d, "700");
    EXPECT_EQ(chainage->textAlignmentPoint(), (Point{315 + 140, 95 - 18 + 0.75, 0}));
    EXPECT_DOUBLE_EQ(chainage->rotation(), 1.570796327);
    // Without a ground profile the ground line follows the nodes: three sections.
    EXPECT_EQ(linesOnLayer(d, "GL").size(), 3u);
    EXPECT_EQ(linesOnLayer(d, "HGL").size(), 3u);
    EXPECT_EQ(f.ui.status(StatusLabel::DrawingStatus), "Drawing in AutoCAD is completed.");
    EXPECT_TRUE(f.ui.messageTexts().empty());
}

TEST(ProfileCommand, ProgressCaptionsWithTheirBlanks) {
    test::ProfileFixture f;
    f.rows(mainLine());
    ASSERT_TRUE(f.run());
    const auto captions = f.ui.captions(StatusLabel::DrawingStatus);
    for (const char* c :
         {"Reading Excel Worksheet ' PD-CW-Sample '", "Reading Excel Worksheet",
          "Reading Excel Rows  1 of  4", "Reading Excel Rows  4 of  4",
          "Processing Branch  1 of  1", "Processing Sheet no  1 of  1 of Branch  1"}) {
        EXPECT_TRUE(has(captions, c)) << c;
    }
}

TEST(ProfileCommand, StaticLineRisesAtBreakPressureChambersButNotAtJunctions) {
    test::ProfileFixture f;
    f.rows({titleRow("Main line"), section("IN1", "J1", 300, 1300, 1280, 1300, 1300, 1290),
            section("J1", "BPC1", 300, 1280, 1260, 1280, 1290, 1280),
            section("BPC1", "T1", 300, 1260, 1240, 1260, 1260, 1250)});
    ASSERT_TRUE(f.run());
    const Drawing& d = f.drawing();
    const auto spl = linesOnLayer(d, "SPL");
    ASSERT_EQ(spl.size(), 4u);  // three runs and one riser
    int risers = 0;
    for (const CadLine* l : spl) {
        if (l->startPoint().x == l->endPoint().x) {
            ++risers;
            EXPECT_DOUBLE_EQ(l->startPoint().x, 315 + 120);  // at BPC1, not at J1 (x 375)
        }
    }
    EXPECT_EQ(risers, 1);
    const auto labels = textsOnLayer(d, "SPL");
    EXPECT_EQ(labels, (std::vector<std::string>{"SPL(1300.0)", "SPL(1280.0)", "SPL(1260.0)"}));
    EXPECT_DOUBLE_EQ(findText(d, "SPL(1300.0)")->height(), 1.2);
}

TEST(ProfileCommand, ChainageCarriesOverSheetsAndRestartsPerBranch) {
    test::ProfileFixture f;
    f.rows({titleRow("Main line"), section("A", "B", 1000, 1300, 1290, 1310),
            section("B", "C", 1000, 1290, 1280, 1310), section("C", "D", 1000, 1280, 1270, 1310),
            titleRow("Branch 2"), section("D", "E", 500, 1270, 1260, 1280)});
    ASSERT_TRUE(f.run());
    const auto texts = textsOnLayer(f.drawing(), "0");
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "1000"), 2 + 3);  // two chainages, 3 lengths
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "3000"), 1);
    EXPECT_TRUE(has(texts, "( Sheet No: 3/3 ) of Kalika WSS"));
    EXPECT_TRUE(has(texts, "500"));
    // Branch 2 starts again from 0: the figure 0 appears on sheet 1 and on branch 2.
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "0"), 2);
    // Each sheet of branch 1 and branch 2 start a new paper: four frames, 1000 m is 200 wide.
    EXPECT_EQ(inserts(f.drawing(), "a4_paper").size(), 4u);
}

TEST(ProfileCommand, ShortBranchesArePackedOnOnePaperWhileThereIsRoom) {
    test::ProfileFixture f;
    f.rows({titleRow("Main line"), section("A", "B", 300, 1300, 1290, 1310), titleRow("Branch 2"),
            section("B", "C", 300, 1290, 1280, 1310), titleRow("Branch 3"),
            section("C", "D", 600, 1280, 1270, 1310)});
    ASSERT_TRUE(f.run());
    const Drawing& d = f.drawing();
    // Branch 1: 60 wide on a new paper; branch 2 beside it (60 + 60 < 230); branch 3 would make
    // 60 + 60 + 30 + 120 and takes a new paper.
    EXPECT_EQ(inserts(d, "a4_paper").size(), 2u);
    EXPECT_EQ(inserts(d, "ini-format").size(), 2u);
    const CadText* packed = findText(d, "Branch 2");
    ASSERT_NE(packed, nullptr);
    // Packed: 20 right of branch 1's end (315 + 60 + 5), titles only 5 left of its first node.
    EXPECT_DOUBLE_EQ(packed->textAlignmentPoint().x, 380 + 20 + 5 - 5);
    const auto texts = textsOnLayer(d, "0");
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Scale: [H 1: 5000, V 1: 1000]"), 2);
}

TEST(ProfileCommand, OtherPapersGetNoFrame) {
    test::ProfileFixture f;
    f.inputs.paper = "A3";
    f.rows(mainLine());
    ASSERT_TRUE(f.run());
    EXPECT_TRUE(inserts(f.drawing(), "a4_paper").empty());
    EXPECT_EQ(findText(f.drawing(), "Scale: [H 1: 5000, V 1: 1000]")->textAlignmentPoint().x,
              315 + 350);
}

TEST(ProfileCommand, AGroundProfileGivesTheGroundLineAndItsFigures) {
    test::ProfileFixture f;
    f.rows(mainLine());
    f.groundBranch("MAIN LINE", {{"in1", 0, 1300},
                                 {"P1", 150, 1275.5},
                                 {"P2", 2, 1274},  // 0.4 beyond P1: no figures of its own
                                 {"BPC1", 148, 1260},
                                 {"J1", 400, 1230},
                                 {"T1", 200, 1220}});
    ASSERT_TRUE(f.run());
    const Drawing& d = f.drawing();
    EXPECT_EQ(linesOnLayer(d, "GL").size(), 5u);  // six ground points
    const auto texts = textsOnLayer(d, "0");
    EXPECT_TRUE(has(texts, "1275.5"));
    EXPECT_FALSE(has(texts, "1274.0"));
    EXPECT_TRUE(has(texts, "150"));
    EXPECT_FALSE(has(texts, "152"));
    // One more interval below and above than without the ground line: 1200 to 1320.
    EXPECT_TRUE(has(texts, "1200.0"));
    EXPECT_TRUE(has(texts, "1320.0"));
}

TEST(ProfileCommand, RowsBeforeTheFirstTitleAreReadButNotDrawn) {
    test::ProfileFixture f;
    std::vector<test::DesignRow> rows{section("X1", "X2", 100, 1300, 1290, 1300)};
    for (const auto& r : mainLine())
        rows.push_back(r);
    f.rows(rows);
    ASSERT_TRUE(f.run());
    EXPECT_EQ(findText(f.drawing(), "X1"), nullptr);
    EXPECT_NE(findText(f.drawing(), "IN1"), nullptr);
}

TEST(ProfileCommand, StopsWithAMessage) {
    const struct {
        const char* name;
        std::vector<test::DesignRow> rows;
        const char* message;
    } cases[] = {
        {"no title row",
         {section("A", "B", 100, 1300, 1290, 1300), section("B", "C", 100, 1290, 1280, 1300)},
         "Select correct range of data with branch title at the first row"},
        {"last end node empty",
         {titleRow("T"), section("A", "B", 100, 1300, 1290, 1300), section("B", "", 100)},
         "Error occured at the row number 19"},
    };
    for (const auto& c : cases) {
        test::ProfileFixture f;
        f.rows(c.rows);
        EXPECT_FALSE(f.run()) << c.name;
        EXPECT_EQ(f.ui.messageTexts(), std::vector<std::string>{c.message}) << c.name;
        EXPECT_NE(f.ui.status(StatusLabel::DrawingStatus), "Drawing in AutoCAD is completed.");
    }
}

TEST(ProfileCommand, ABranchWithoutTitleIsSkippedWithItsMessage) {
    test::ProfileFixture f;
    auto rows = mainLine();
    rows.push_back(titleRow("  "));
    rows.push_back(section("T1", "T2", 100, 1220, 1215, 1260));
    f.rows(rows);
    ASSERT_TRUE(f.run());
    EXPECT_EQ(f.ui.messageTexts(),
              std::vector<std::string>{"Branch 2 does not contains any title.So first put proper "
                                       "title \r and redraw the branch again."});
    EXPECT_EQ(findText(f.drawing(), "T2"), nullptr);
}

TEST(ProfileCommand, DataThatCannotBeDrawnEndsTheApplication) {
    test::ProfileFixture f;
    auto rows = mainLine();
    f.rows(rows);
    f.design->load(18, 2 + 16, 50.0);  // a galvanised iron pipe ...
    f.design->load(18, 2 + 17, 6.0);   // ... whose class is a number, not a text
    EXPECT_THROW(f.run(), ApplicationEnds);
    ASSERT_EQ(f.ui.messageTexts(), std::vector<std::string>{kDataError});
    EXPECT_EQ(f.ui.events().back().kind, UiEvent::Kind::EndRequested);
}

TEST(ProfileCommand, AZeroScaleIsADataError) {
    test::ProfileFixture f;
    f.inputs.vscale = "abc";
    f.rows(mainLine());
    EXPECT_THROW(f.run(), ApplicationEnds);
    EXPECT_EQ(f.ui.messageTexts(), std::vector<std::string>{kDataError});
}

TEST(ProfileCommand, TooManySheetsIsADataError) {
    test::ProfileFixture f;
    std::vector<test::DesignRow> rows{titleRow("Long")};
    for (int i = 0; i < 25; ++i)
        rows.push_back(section("P", "Q", 1150, 1300, 1290, 1300));
    f.rows(rows);
    EXPECT_THROW(f.run(), ApplicationEnds);
    EXPECT_EQ(f.ui.messageTexts(), std::vector<std::string>{kDataError});
}

TEST(ProfileCommand, AWorkbookWithoutTheSchemeMarkEndsTheApplication) {
    test::ProfileFixture f;
    f.rows(mainLine());
    MemorySpreadsheetHost other;
    auto wb = std::make_unique<MemoryWorkbook>("other.xlsx");
    wb->addSheet("PD-CW-Sample");
    other.add(std::move(wb));
    EXPECT_THROW(runProfileCommand(f.command, f.inputs, other, f.cad, f.ui), ApplicationEnds);
    EXPECT_EQ(
        f.ui.messageTexts(),
        std::vector<std::string>{"The Current Excel WorkBook or the Sheet Selected is not valid."});
}

TEST(ProfileCommand, NoWorkbookAsksToStartTheSpreadsheet) {
    test::ProfileFixture f;
    MemorySpreadsheetHost empty;
    f.ui.script({Answer::Ok});
    EXPECT_FALSE(runProfileCommand(f.command, f.inputs, empty, f.cad, f.ui));
    EXPECT_TRUE(empty.started());
    EXPECT_EQ(f.ui.status(StatusLabel::DrawingStatus), "Click Execute Once Again !");
    EXPECT_EQ(f.ui.events()[0].message.title, "Error!!!");
    EXPECT_EQ(f.ui.events()[1].kind, UiEvent::Kind::WaitShown);
    EXPECT_EQ(f.ui.events()[1].caption, "Lunching Excel");
    EXPECT_EQ(f.command.cad.document, nullptr);  // nothing drawn, the CAD host untouched

    test::ProfileFixture g;
    g.ui.script({Answer::Cancel});
    EXPECT_THROW(runProfileCommand(g.command, g.inputs, empty, g.cad, g.ui), ApplicationEnds);
}

TEST(ProfileCommand, AnInvalidSelectionIsAskedForAgain) {
    test::ProfileFixture f;
    f.rows(mainLine());
    f.workbook->setSelection({16, 2, 19, 3});  // two columns
    f.ui.script({Answer::Ok});
    f.command.reselect = [&] {
        f.workbook->setSelection({16, 2, 19, 2});
        return true;
    };
    ASSERT_TRUE(f.run());
    EXPECT_EQ(f.ui.messageTexts(),
              std::vector<std::string>{"First Select the Correct Range and Then Click OK!"});
}

TEST(ProfileCommand, TheSecondRunDrawsFromTheSameOrigin) {
    test::ProfileFixture f;
    f.rows(mainLine());
    ASSERT_TRUE(f.run());
    ASSERT_TRUE(f.run());
    const auto frames = inserts(f.drawing(), "ini-format");
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0]->insertionPoint(), frames[1]->insertionPoint());
}

}  // namespace
}  // namespace plovis
