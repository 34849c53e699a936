// The "Draw Ground Profile" dialog, opened and drawing from a point picked in the drawing window.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "desktop_fixture.h"
#include "hosts/cad_extents.h"
#include "prompt_answerer.h"
#include "shell/drawing_window.h"
#include "shell/profile_dialog.h"
#include "support/test_paths.h"

namespace plovis {
namespace {

using GroundDialog = test::DesktopTest;

// Opened from its button and its menu entry: one modeless dialog owned by the main window, with
// the inputs' defaults and the paper list; choosing a paper applies the paper rule to the boxes
// (the rule itself is the ground profile's, tested there); an invalid box closes it without a
// message, a question or a drawing. Without ground points (no workbook) it stays open with a
// message. With a scheme, Esc at the pick asks to pick again; a second DRAW or another command
// while it waits for the point starts nothing; it draws every branch from the picked point, left
// to right, and closes.
TEST_F(GroundDialog, OpensWithItsDefaultsAndDrawsFromThePickedPoint) {
    start(withAllCommands());
    child<QPushButton>("cmdExistingGL")->click();
    form().findChild<QAction*>("mnuExistingGround")->trigger();
    ProfileDialog* dialog = form().profileDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(form().findChildren<QDialog*>("frmProfile"), QList<QDialog*>{dialog});
    EXPECT_TRUE(dialog->isVisible() && !dialog->isModal());
    EXPECT_EQ(dialog->parentWidget(), &form());
    EXPECT_EQ(dialog->windowTitle(), "Draw Ground Profile");
    const auto box = [&](const char* name) { return dialog->findChild<QLineEdit*>(name); };
    auto* paper = dialog->findChild<QComboBox*>("cmbPaper");
    QStringList shown;
    for (const char* name : {"hscale", "vscale", "txtSize", "txtPaperLength", "txtGap"})
        shown << box(name)->text();
    for (int i = 0; i < paper->count(); ++i)
        shown << paper->itemText(i);
    EXPECT_EQ(shown.join(" "), "5000 1000 1.8 700 350 A4 A3 A2 A1 ALL");
    EXPECT_EQ(paper->currentText(), "A1");
    paper->setCurrentText("A4");
    EXPECT_EQ(box("txtPaperLength")->text() + " " + box("txtGap")->text(), "220 110");
    const auto open = [&] {  // a closed dialog is deleted
        settle();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return form().profileDialog() != nullptr && form().profileDialog()->isVisible();
    };
    const auto pressDraw = [&] {
        dialog = form().profileDialog();
        dialog->findChild<QPushButton*>("cmdDraw")->click();
    };
    DrawingWindow& window = desktop->drawings().window();
    box("vscale")->setText("0.5");
    pressDraw();
    EXPECT_FALSE(open());
    EXPECT_TRUE(dialogs->shown.empty());
    EXPECT_EQ(window.questionsAsked(), 0);
    EXPECT_TRUE(desktop->drawings().documentCount() == 0 ||
                desktop->drawings().activeDocument().modelSpace().entities().empty());
    form().existingGround();
    test::PromptAnswerer user(window);
    user.then(test::PromptAnswerer::clickAt({10, 10}));
    pressDraw();
    EXPECT_FALSE(dialogs->shown.empty());
    EXPECT_TRUE(open());
    dialogs->shown.clear();
    const test::ScratchDir dir{"shell-ground"};
    test::writeScheme(dir / "scheme.xlsx");
    desktop->workbooks().open(dir / "scheme.xlsx");
    user.then(test::PromptAnswerer::pressEscape());
    user.then(test::PromptAnswerer::type("Y"));
    user.then([&](DrawingWindow& w) {
        pressDraw();
        form().readData();
        test::PromptAnswerer::type("1000,2000")(w);
    });
    pressDraw();
    EXPECT_EQ(user.unused(), 0u);
    EXPECT_TRUE(dialogs->shown.empty());
    for (const char* line : {"Pick a point as reference for drawing:", "Not valid point. ",
                             "Do you want to re-pick.[Y/N]<N>:"})
        EXPECT_TRUE(window.promptHistory().contains(line)) << line;
    EXPECT_FALSE(open());
    const Extents e = modelSpaceExtents(desktop->drawings().activeDocument());
    EXPECT_GE(e.minX, 1000 - 100);
    EXPECT_GT(e.maxX, 1000);
    EXPECT_EQ(desktop->ui().waitWindow(), nullptr);
}

}  // namespace
}  // namespace plovis
