#include "commands/profile_command.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "profile_command_fixture.h"
#include "support/snapshot.h"

namespace plovis {
namespace {

using test::inserts;
using test::section;
using test::titleRow;

constexpr const char* kDataError = "The Data is not correct, Check with the Original Excel File!";
constexpr const char* kCompleted = "Drawing in AutoCAD is completed.";

std::vector<test::DesignRow> mainLine() {
    return {titleRow("Main line"), section("IN1", "BPC1", 300, 1300, 1290, 1300, 1300, 1290),
            section("BPC1", "J1", 400, 1260, 1230, 1260, 1260, 1250),
            section("J1", "T1", 200, 1230, 1220, 1260, 1250, 1245)};
}

template <class... Parts>
std::vector<test::DesignRow> join(Parts... parts) {
    std::vector<test::DesignRow> rows;
    (rows.insert(rows.end(), parts.begin(), parts.end()), ...);
    return rows;
}

struct Scenario {
    const char* golden;
    std::vector<test::DesignRow> rows;
    const char* paper = "A4";
    std::vector<test::ProfileFixture::GroundPoint> ground = {};  // of "MAIN LINE", when any
    std::vector<std::string> messages = {};
};

// Each drawing compared with its reviewed snapshot in tests/profile/golden.
TEST(ProfileCommand, DrawsLikeItsReviewedSnapshot) {
    // clang-format off
    const Scenario scenarios[] = {
        // The sheet 250 right of the origin, the first node 5 further; symbols on the nodes'
        // ground, one run each of flow, pipe and soil; the chainage figures read upwards.
        {"one_branch_a4", mainLine()},
        // The static line rises at the break pressure chamber, not at the junction.
        {"static_line_rises_at_bpc",
         {titleRow("Main line"), section("IN1", "J1", 300, 1300, 1280, 1300, 1300, 1290),
          section("J1", "BPC1", 300, 1280, 1260, 1280, 1290, 1280),
          section("BPC1", "T1", 300, 1260, 1240, 1260, 1260, 1250)}},
        // Chainage carries over three sheets and starts again from 0 on branch 2.
        {"chainage_over_sheets",
         {titleRow("Main line"), section("A", "B", 1000, 1300, 1290, 1310, 1310, 1300),
          section("B", "C", 1000, 1290, 1280, 1310, 1300, 1290),
          section("C", "D", 1000, 1280, 1270, 1310, 1290, 1280), titleRow("Branch 2"),
          section("D", "E", 500, 1270, 1260, 1280, 1280, 1275)}},
        // Branch 2 fits beside branch 1 (60 + 60 < 230); branch 3 takes a new paper.
        {"short_branches_packed",
         {titleRow("Main line"), section("A", "B", 300, 1300, 1290, 1310, 1310, 1305),
          titleRow("Branch 2"), section("B", "C", 300, 1290, 1280, 1310, 1305, 1300),
          titleRow("Branch 3"), section("C", "D", 600, 1280, 1270, 1310, 1300, 1290)}},
        // The grade line 180 m and the static line 255 m above the ground: both are broken
        // on the level axis and drawn lower.
        {"datum_breaks", {titleRow("Main line"), section("A", "B", 100, 1245.3, 1240, 1500, 1395, 1380)}},
        // No frame on other papers; the scale text at the A3 width.
        {"a3_without_frame", mainLine(), "A3"},
        // The ground line through six points; P2 lies 0.4 beyond P1 and gets no figures; one
        // interval more below and above.
        {"ground_profile_line", mainLine(), "A4",
         {{"in1", 0, 1300}, {"P1", 150, 1275.5}, {"P2", 2, 1274}, {"BPC1", 148, 1260},
          {"J1", 400, 1230}, {"T1", 200, 1220}}},
        // Rows before the first title are read but not drawn: the main line alone.
        {"one_branch_a4", join(std::vector{section("X1", "X2", 100, 1300, 1290, 1300)}, mainLine())},
        // A branch without title is skipped with its message: the main line alone.
        {"one_branch_a4",
         join(mainLine(), std::vector{titleRow("  "), section("T1", "T2", 100, 1220, 1215, 1260)}),
         "A4", {},
         {"Branch 2 does not contains any title.So first put proper title \r and redraw the "
          "branch again."}},
    };
    // clang-format on
    for (const Scenario& s : scenarios) {
        SCOPED_TRACE(s.golden);
        test::ProfileFixture f;
        f.inputs.paper = s.paper;
        f.rows(s.rows);
        if (!s.ground.empty()) f.groundBranch("MAIN LINE", s.ground);
        ASSERT_TRUE(f.run());
        EXPECT_EQ(f.ui.messageTexts(), s.messages);
        EXPECT_EQ(f.ui.status(StatusLabel::DrawingStatus), kCompleted);
        test::expectGoldenDrawing(f.drawing(), "profile", s.golden);
    }
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
        EXPECT_NE(f.ui.status(StatusLabel::DrawingStatus), kCompleted);
    }
}

// Data that cannot be drawn ends the application with one message.
TEST(ProfileCommand, DataErrorsEndTheApplication) {
    std::vector<test::DesignRow> tooLong{titleRow("Long")};
    for (int i = 0; i < 25; ++i)
        tooLong.push_back(section("P", "Q", 1150, 1300, 1290, 1300));
    const struct {
        const char* name;
        std::vector<test::DesignRow> rows;
        const char* vscale;
        bool numericGiClass;  // a galvanised iron pipe whose class is a number, not a text
    } cases[] = {
        {"galvanised class a number", mainLine(), "1000", true},
        {"scale no number", mainLine(), "abc", false},
        {"more than 24 sheets", tooLong, "1000", false},
    };
    for (const auto& c : cases) {
        test::ProfileFixture f;
        f.inputs.vscale = c.vscale;
        f.rows(c.rows);
        if (c.numericGiClass) {
            f.design->load(18, 2 + 16, 50.0);
            f.design->load(18, 2 + 17, 6.0);
        }
        EXPECT_THROW(f.run(), ApplicationEnds) << c.name;
        EXPECT_EQ(f.ui.messageTexts(), std::vector<std::string>{kDataError}) << c.name;
        EXPECT_EQ(f.ui.events().back().kind, UiEvent::Kind::EndRequested) << c.name;
    }
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

// The progress captions keep their blanks; a second run draws from the same origin.
TEST(ProfileCommand, CaptionsAndASecondRunFromTheSameOrigin) {
    test::ProfileFixture f;
    f.rows(mainLine());
    ASSERT_TRUE(f.run());
    const auto captions = f.ui.captions(StatusLabel::DrawingStatus);
    for (const char* c :
         {"Reading Excel Worksheet ' PD-CW-Sample '", "Reading Excel Worksheet",
          "Reading Excel Rows  1 of  4", "Reading Excel Rows  4 of  4",
          "Processing Branch  1 of  1", "Processing Sheet no  1 of  1 of Branch  1"}) {
        EXPECT_NE(std::find(captions.begin(), captions.end(), c), captions.end()) << c;
    }
    ASSERT_TRUE(f.run());
    const auto frames = inserts(f.drawing(), "ini-format");
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0]->insertionPoint(), frames[1]->insertionPoint());
}

}  // namespace
}  // namespace plovis
