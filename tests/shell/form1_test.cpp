// The main window as the commands and the user reach it: the controls and menu entries by the
// names the commands find them by (the menu tree compared with tests/shell/golden/menu_tree.txt),
// the entries that start switched off, the inputs' defaults, the paper list and the tab order;
// and the About box, whose OK always switches the main window on again.
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include "desktop_fixture.h"
#include "shell/about_box.h"
#include "shell/clickable_label.h"
#include "support/snapshot.h"

namespace plovis {
namespace {

using FormLayout = test::DesktopTest;

// The menu tree as lines "<indent><name> <caption> [off]", separators as "<indent><name> -".
void describeMenu(const QList<QAction*>& actions, int depth, std::string& out) {
    for (QAction* a : actions) {
        out +=
            std::string(static_cast<std::size_t>(depth) * 2, ' ') + a->objectName().toStdString();
        out += a->isSeparator() ? " -" : " " + a->text().toStdString();
        out += a->isEnabled() ? "\n" : " [off]\n";
        if (a->menu()) describeMenu(a->menu()->actions(), depth + 1, out);
    }
}

TEST_F(FormLayout, ControlsMenusDefaultsAndTabOrder) {
    EXPECT_TRUE(desktop->workbooks().windows().empty());  // nothing is touched at start
    EXPECT_EQ(desktop->drawings().documentCount(), 0);
    for (const char* name : {"cmdHelp", "cmdExistingGL", "Label10"})  // below the client area
        EXPECT_FALSE(child<QWidget>(name)->isVisible()) << name;
    EXPECT_FALSE(child<QWidget>("cmdExistingGL")->isEnabled());
    std::string menus;
    describeMenu(form().menuBar()->actions(), 0, menus);
    test::expectGolden(menus, "shell", "menu_tree");
    EXPECT_EQ(child<QLineEdit>("hscale")->text() + child<QLineEdit>("vscale")->text(), "50001000");
    EXPECT_EQ(child<QLineEdit>("hscale")->validator(), nullptr);  // any text is accepted
    auto* combo = child<QComboBox>("Combo1");
    EXPECT_EQ(combo->count(), 4);
    EXPECT_EQ(combo->itemText(0) + combo->itemText(3) + combo->currentText(), "A1A4A4");
    EXPECT_FALSE(combo->isEditable());  // a drop-down list: no free typing
    std::vector<std::string> order;
    QWidget* w = child<QWidget>("Read_data");
    for (int i = 0; i < 40 && order.size() < 7; ++i, w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled() &&
            !w->objectName().isEmpty()) {
            if (!order.empty() && order.front() == w->objectName().toStdString()) break;
            order.push_back(w->objectName().toStdString());
        }
    }
    EXPECT_EQ(order, (std::vector<std::string>{"Read_data", "cmdSchematic", "Command2", "hscale",
                                               "vscale", "Combo1"}));
    start(withAllCommands());
    menus.clear();
    describeMenu(form().menuBar()->actions(), 0, menus);
    EXPECT_EQ(menus.find("[off]"), std::string::npos) << menus;
    EXPECT_TRUE(child<QWidget>("cmdExistingGL")->isEnabled());
}

// One shared About box: from the picture the main window is switched off and the box has no
// owner; from the label it is owned and the main window stays on; OK switches the main window on.
TEST_F(FormLayout, TheAboutBoxSwitchesTheMainWindowOffOnlyFromThePicture) {
    QTest::mouseClick(child<QWidget>("Image1"), Qt::LeftButton);
    AboutBox* box = form().aboutBox();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible() && box->isEnabled() && !form().isEnabled());
    EXPECT_EQ(box->parentWidget(), nullptr);
    box->findChild<QPushButton*>("Command1")->click();
    EXPECT_TRUE(!box->isVisible() && form().isEnabled() && form().isVisible());
    emit child<ClickableLabel>("Label10")->clicked();
    EXPECT_EQ(form().aboutBox(), box);  // the one instance, hidden not destroyed
    EXPECT_EQ(box->parentWidget(), &form());
    EXPECT_TRUE(form().isEnabled() && !box->isModal());
}

}  // namespace
}  // namespace plovis
