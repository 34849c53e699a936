#include "commands/ground_profile_dialog.h"

#include <gtest/gtest.h>

#include "doubles/recording_user_interface.h"
#include "hosts/memory_cad_host.h"
#include "hosts/memory_workbook.h"
#include "hosts/scripted_cad_utility.h"
#include "support/drawn_entities.h"
#include "support/message_boxes.h"

namespace plovis {
namespace {

using test::drawn;

constexpr const char* kPickPrompt = "Pick a point as reference for drawing:";
constexpr double kH = 0.2f;  // 1:5000 as single precision holds it

std::string sheetCaption(const std::string& branch) {
    return "Drawing profile sheet for branch " + branch + " , please wait....";
}

// The dialog on load with a running CAD host and a workbook whose "GroundProfile" sheet is
// filled row by row from row 4.
struct DialogFixture {
    ScriptedCadUtility utility;
    MemoryCadHost cad;
    MemorySpreadsheetHost spreadsheet;
    MemoryWorksheet* ground = nullptr;
    RecordingUserInterface ui;
    GroundProfileDialog dialog;
    int row = 4;

    explicit DialogFixture(bool cadRunning = true) : cad(utility, cadRunning) {
        auto wb = std::make_unique<MemoryWorkbook>("scheme.xlsx");
        ground = &wb->addSheet("GroundProfile");
        spreadsheet.add(std::move(wb));
    }
    void header(const std::string& name, const std::string& chainage = "0+000") {
        ground->load(row, 1, chainage);
        ground->load(row++, 2, name);
    }
    void point(const std::string& label, double distance, double level) {
        ground->load(row, 2, label);
        ground->load(row, 3, distance);
        ground->load(row++, 4, level);
    }
    // A branch whose points lie at the chainages given, at levels 100, 101, ...
    void branch(const std::string& name, const std::vector<double>& chainages) {
        header(name);
        double previous = chainages.front();
        for (std::size_t i = 0; i < chainages.size(); ++i) {
            point("P" + std::to_string(i + 1), chainages[i] - previous, 100.0 + i);
            previous = chainages[i];
        }
    }
    GroundProfileResult draw() { return dialog.draw(cad, spreadsheet, ui); }
    std::vector<const CadPolyline*> groundLines() {
        return cad.documentCount() ? drawn<CadPolyline>(cad.activeDocument(), "GL")
                                   : std::vector<const CadPolyline*>{};
    }
    std::vector<std::string> captions() const {
        return ui.captions(StatusLabel::GroundProfileStatus);
    }
};

std::vector<double> steps(double to, double step) {
    std::vector<double> out;
    for (double c = 0; c <= to + 1e-9; c += step)
        out.push_back(c);
    return out;
}

TEST(GroundProfileDialog, WithoutARunningCadHostItSaysSoAndStaysOpen) {
    DialogFixture f(false);
    f.branch("Main", {0, 100});
    const auto r = f.draw();
    EXPECT_EQ(r.outcome, GroundProfileOutcome::NoCadHost);
    EXPECT_FALSE(f.dialog.closeRequested);
    EXPECT_EQ(
        test::messageBoxes(f.ui),
        std::vector<std::string>{"ok | Please first open the AutoCAD application and redo it."});
    EXPECT_FALSE(f.cad.started());
    EXPECT_TRUE(f.utility.prompts().empty());
}

TEST(GroundProfileDialog, InvalidInputClosesWithoutAMessageOrAPick) {
    const struct {
        const char* box;
        const char* text;
    } cases[] = {{"hscale", "0.5"},    {"hscale", "abc"},          {"vscale", ""},
                 {"txtSize", "0"},     {"txtPaperLength", "-700"}, {"txtPaperLength", "1e999"},
                 {"txtSize", "1.8 mm"}};
    for (const auto& c : cases) {
        DialogFixture f;
        f.branch("Main", {0, 100});
        f.utility.pickPoint({0, 0, 0});
        GroundProfileBoxes& b = f.dialog.boxes;
        const std::string box = c.box;
        (box == "hscale"    ? b.hscale
         : box == "vscale"  ? b.vscale
         : box == "txtSize" ? b.txtSize
                            : b.txtPaperLength) = c.text;
        const auto r = f.draw();
        EXPECT_EQ(r.outcome, GroundProfileOutcome::InvalidInput) << c.box << " " << c.text;
        EXPECT_EQ(r.invalidBox, c.box) << c.text;
        EXPECT_TRUE(f.dialog.closeRequested) << c.text;
        EXPECT_TRUE(f.ui.messageTexts().empty()) << c.text;
        EXPECT_TRUE(f.utility.prompts().empty()) << c.text;
        EXPECT_EQ(f.captions(), std::vector<std::string>{""}) << c.text;
        EXPECT_TRUE(f.groundLines().empty()) << c.text;
    }
}

TEST(GroundProfileDialog, ACancelledPickAsksToRepick) {
    const struct {
        std::optional<std::string> answer;  // none: the question is cancelled too
        bool drawn;
    } cases[] = {{"N", false},          {"n", false}, {"", false}, {"yes", false},
                 {std::nullopt, false}, {"Y", true},  {"y", true}};
    for (const auto& c : cases) {
        DialogFixture f;
        f.branch("Main", {0, 100});
        f.utility.cancelPick();
        if (c.answer) f.utility.typeString(*c.answer);
        f.utility.pickPoint({10, 20, 0});
        const auto r = f.draw();
        const std::string shown = c.answer.value_or("(cancelled)");
        std::vector<std::string> prompts = {kPickPrompt, "Not valid point. ",
                                            "Do you want to re-pick.[Y/N]<N>:"};
        if (c.drawn) prompts.push_back(kPickPrompt);
        EXPECT_EQ(f.utility.prompts(), prompts) << shown;
        EXPECT_EQ(r.outcome,
                  c.drawn ? GroundProfileOutcome::Drawn : GroundProfileOutcome::PickDeclined)
            << shown;
        EXPECT_TRUE(f.dialog.closeRequested) << shown;
        EXPECT_EQ(f.groundLines().size(), c.drawn ? 1u : 0u) << shown;
        if (!c.drawn) {
            EXPECT_EQ(f.captions(), std::vector<std::string>{""}) << shown;
        }
    }
}

TEST(GroundProfileDialog, GroundPointsThatCannotBeReadKeepTheDialogOpen) {
    for (bool headerOnly : {true, false}) {  // one row, or none
        DialogFixture f;
        if (headerOnly) f.ground->load(4, 2, std::string("Main"));
        f.utility.pickPoint({0, 0, 0});
        EXPECT_EQ(f.draw().outcome, GroundProfileOutcome::TooFewRows) << headerOnly;
        EXPECT_FALSE(f.dialog.closeRequested);
        EXPECT_TRUE(f.ui.messageTexts().empty());
    }
    DialogFixture missing;
    auto wb = std::make_unique<MemoryWorkbook>("other.xlsx");
    wb->addSheet("Sheet1");
    missing.spreadsheet.add(std::move(wb));
    missing.utility.pickPoint({0, 0, 0});
    EXPECT_EQ(missing.draw().outcome, GroundProfileOutcome::NoGroundPoints);
    EXPECT_FALSE(missing.dialog.closeRequested);
    EXPECT_EQ(missing.ui.messageTexts(),
              std::vector<std::string>{
                  "Please open the correct data file that contains the sheet named GroundProfile"});
    EXPECT_TRUE(missing.groundLines().empty());
}

// The sheets of a branch in one row at the picked point cut down to whole units: each ground
// line starts at its sheet's reference point, its first point at the picked height (how the
// branch is cut into sheets is the layout's, tested there).
TEST(GroundProfileDialog, SheetsOfABranchInOneRowAtThePickedHeight) {
    DialogFixture f;
    f.branch("Main", steps(8000, 1000));
    f.utility.pickPoint({100.7, 50.2, 0});  // cut down to (100, 50)
    const auto r = f.draw();
    ASSERT_EQ(r.outcome, GroundProfileOutcome::Drawn);
    EXPECT_TRUE(f.dialog.closeRequested);
    EXPECT_EQ(r.sheetsDrawn, 3);
    const auto lines = f.groundLines();
    ASSERT_EQ(lines.size(), 3u);
    // Each sheet starts past the points the one before drew and clear of its paper (papers are
    // tested with the layout).
    const std::vector<std::pair<double, std::size_t>> sheets = {{100, 6}, {1450, 5}, {2765, 2}};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto& v = lines[i]->vertices();
        ASSERT_EQ(v.size(), sheets[i].second) << "sheet " << i + 1;
        EXPECT_NEAR(v[0].x, sheets[i].first, 1e-3) << "sheet " << i + 1;
        EXPECT_EQ(v[0].y, 50);
        EXPECT_NEAR(v[1].y - v[0].y, 1, 1e-9);  // levels rise 1 a point at 1:1000
    }
    EXPECT_EQ(f.captions(), (std::vector<std::string>{sheetCaption("Main"), sheetCaption("Main"),
                                                      sheetCaption("Main"), ""}));
}

TEST(GroundProfileDialog, AOnePointBranchIsSkippedAndTheNextDrawn) {
    DialogFixture f;
    f.branch("Main", {0, 500, 1000});
    f.header("Single");
    f.point("S1", 0, 90);
    f.branch("Branch 3", {0, 200});
    f.utility.pickPoint({-3.5, -0.2, 0});  // cut down to (-4, -1)
    const auto r = f.draw();
    ASSERT_EQ(r.outcome, GroundProfileOutcome::Drawn);
    const auto lines = f.groundLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0]->vertices()[0], (PolylineVertex{-4, -1, 0}));
    EXPECT_NEAR(lines[1]->vertices()[0].x, 917, 1e-3);  // clear of the first sheet's A1 paper
    EXPECT_EQ(lines[1]->vertices()[0].y, -1);
    EXPECT_EQ(f.captions(),
              (std::vector<std::string>{sheetCaption("Main"), sheetCaption("Branch 3"), ""}));
    EXPECT_TRUE(f.ui.messageTexts().empty());
}

TEST(GroundProfileDialog, PaperAllDrawsEachBranchOnOneSheet) {
    DialogFixture f;
    f.dialog.selectPaper("ALL");
    EXPECT_EQ(f.dialog.boxes.txtPaperLength, "1000000");
    EXPECT_EQ(f.dialog.boxes.txtGap, "350");
    f.branch("Main", steps(8000, 1000));
    f.branch("Spur", steps(4000, 500));
    f.utility.pickPoint({0, 0, 0});
    const auto r = f.draw();
    ASSERT_EQ(r.outcome, GroundProfileOutcome::Drawn);
    const auto lines = f.groundLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0]->vertices().size(), 9u);
    EXPECT_EQ(lines[1]->vertices().size(), 9u);
    EXPECT_NEAR(lines[1]->vertices()[0].x, 8000 * kH + 350, 1e-3);
}

TEST(GroundProfileDialog, AFailureWhileDrawingClosesAndKeepsTheSheetsDrawn) {
    DialogFixture f;
    f.branch("Main", {0, 100});
    f.header("Broken");
    f.point("B1", 0, 100);
    f.point("B2", 10, 2e6);  // a level typed wrongly: two hundred thousand level lines
    f.utility.pickPoint({0, 0, 0});
    const auto r = f.draw();
    EXPECT_EQ(r.outcome, GroundProfileOutcome::DrawingFailed);
    EXPECT_NE(r.failure.find("Broken"), std::string::npos) << r.failure;
    EXPECT_EQ(r.sheetsDrawn, 1);
    EXPECT_TRUE(f.dialog.closeRequested);
    EXPECT_TRUE(f.ui.messageTexts().empty());
    ASSERT_GE(f.groundLines().size(), 1u);
    EXPECT_EQ(f.groundLines()[0]->vertices().size(), 2u);
}

TEST(GroundProfileDialog, MoreRowsThanASixteenBitCounterHoldsAreDrawn) {
    DialogFixture f;
    f.header("Long");
    for (int i = 0; i <= 33000; ++i)
        f.point("P", i == 0 ? 0 : 1, 100 + i % 5);
    f.utility.pickPoint({0, 0, 0});
    const auto r = f.draw();
    ASSERT_EQ(r.outcome, GroundProfileOutcome::Drawn);
    EXPECT_EQ(r.sheetsDrawn, 10);  // 3500 of chainage a sheet
    EXPECT_EQ(f.groundLines().back()->vertices().size(), 33000u - 31500u + 1u);
}

}  // namespace
}  // namespace plovis
