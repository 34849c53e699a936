// The "Draw Ground Profile" dialog: its initial contents, the paper rule, the invalid inputs that
// close it without drawing, a declined pick, and a drawing picked in the drawing window.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "desktop_fixture.h"
#include "hosts/cad_extents.h"
#include "prompt_answerer.h"
#include "shell/drawing_view.h"
#include "shell/drawing_window.h"
#include "shell/profile_dialog.h"
#include "support/test_paths.h"

namespace plovis {
namespace {

class GroundDialog : public test::DesktopTest {
  protected:
    void SetUp() override {
        start(withAllCommands());
        form().existingGround();
        dialog = form().profileDialog();
        ASSERT_NE(dialog, nullptr);
    }
    QLineEdit* box(const char* name) { return dialog->findChild<QLineEdit*>(name); }
    QComboBox* paper() { return dialog->findChild<QComboBox*>("cmbPaper"); }
    void pressDraw() { dialog->findChild<QPushButton*>("cmdDraw")->click(); }
    // Whether the dialog is still open (a closed one is deleted).
    bool open() {
        settle();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return form().profileDialog() != nullptr && form().profileDialog()->isVisible();
    }
    std::size_t entities() {
        DrawingHost& cad = desktop->drawings();
        return cad.documentCount() == 0 ? 0 : cad.activeDocument().modelSpace().entities().size();
    }
    void openScheme() {
        test::writeScheme(dir / "scheme.xlsx");
        desktop->workbooks().open(dir / "scheme.xlsx");
    }

    ProfileDialog* dialog = nullptr;
    test::ScratchDir dir{"shell-ground"};
};

// The boxes show the inputs' defaults and the paper list; choosing a paper applies the paper
// rule to the boxes (the rule itself is the ground profile's, tested there).
TEST_F(GroundDialog, StartsWithItsDefaultsAndChoosingAPaperFillsItsBoxes) {
    const std::pair<const char*, const char*> defaults[] = {{"hscale", "5000"},
                                                            {"vscale", "1000"},
                                                            {"txtSize", "1.8"},
                                                            {"txtPaperLength", "700"},
                                                            {"txtGap", "350"}};
    for (const auto& [name, text] : defaults)
        EXPECT_EQ(box(name)->text(), text) << name;
    QStringList papers;
    for (int i = 0; i < paper()->count(); ++i)
        papers << paper()->itemText(i);
    EXPECT_EQ(papers, QStringList({"A4", "A3", "A2", "A1", "ALL"}));
    EXPECT_EQ(paper()->currentText(), "A1");
    paper()->setCurrentText("A4");
    EXPECT_EQ(box("txtPaperLength")->text(), "220");
    EXPECT_EQ(box("txtGap")->text(), "110");
}

TEST_F(GroundDialog, CancelClosesIt) {
    dialog->findChild<QPushButton*>("cmdCancel")->click();
    EXPECT_FALSE(open());
}

// Each invalid box closes the dialog without a message and without asking for a point.
TEST_F(GroundDialog, InvalidInputClosesWithoutDrawing) {
    const std::pair<const char*, const char*> cases[] = {{"vscale", "0.5"},
                                                         {"txtPaperLength", "-700"}};
    for (const auto& [name, text] : cases) {
        form().existingGround();
        dialog = form().profileDialog();
        box(name)->setText(text);
        pressDraw();
        EXPECT_FALSE(open()) << name << " " << text;
        EXPECT_TRUE(dialogs->shown.empty()) << name;
        EXPECT_EQ(desktop->drawings().window().questionsAsked(), 0) << name;
        EXPECT_EQ(entities(), 0u) << name;
    }
}

// Esc at the pick asks to pick again (declining is the ground profile's, tested there).
TEST_F(GroundDialog, PickingAgainAfterACancelledPickDraws) {
    openScheme();
    test::PromptAnswerer user(desktop->drawings().window());
    user.then(test::PromptAnswerer::pressEscape());
    user.then(test::PromptAnswerer::type("Y"));
    user.then(test::PromptAnswerer::clickAt({50, 60}));
    pressDraw();
    EXPECT_EQ(user.unused(), 0u);
    const QString said = desktop->drawings().window().promptHistory();
    for (const char* line : {"Pick a point as reference for drawing:", "Not valid point. ",
                             "Do you want to re-pick.[Y/N]<N>:"})
        EXPECT_TRUE(said.contains(line)) << line;
    EXPECT_GT(entities(), 0u);
}

TEST_F(GroundDialog, DrawsEveryBranchFromThePickedPoint) {
    openScheme();
    DrawingWindow& window = desktop->drawings().window();
    test::PromptAnswerer user(window);
    user.then(test::PromptAnswerer::type("1000,2000"));
    pressDraw();
    EXPECT_EQ(user.unused(), 0u);
    EXPECT_TRUE(dialogs->shown.empty());
    EXPECT_FALSE(open());  // closes when drawn
    ASSERT_GT(entities(), 0u);
    const Extents e = modelSpaceExtents(desktop->drawings().activeDocument());
    EXPECT_GE(e.minX, 1000 - 100);  // the sheets start at the picked point, left to right
    EXPECT_GT(e.maxX, 1000);
    EXPECT_EQ(desktop->ui().waitWindow(), nullptr);
}

TEST_F(GroundDialog, WithoutGroundPointsItStaysOpen) {
    test::PromptAnswerer user(desktop->drawings().window());
    user.then(test::PromptAnswerer::clickAt({10, 10}));
    pressDraw();  // no workbook open
    EXPECT_FALSE(dialogs->shown.empty());
    EXPECT_TRUE(open());
}

TEST_F(GroundDialog, AClickWhileTheDialogWaitsForThePickStartsNothingElse) {
    openScheme();
    test::PromptAnswerer user(desktop->drawings().window());
    user.then([this](DrawingWindow& w) {
        pressDraw();  // a second DRAW while the first waits for its point
        form().readData();
        test::PromptAnswerer::clickAt({20, 20})(w);
    });
    pressDraw();
    EXPECT_EQ(desktop->drawings().window().questionsAsked(), 1);
    EXPECT_TRUE(dialogs->shown.empty());
}

}  // namespace
}  // namespace plovis
