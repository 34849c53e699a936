// The About box: one shared instance; from the picture the main window is switched off and the
// box has no owner; from the menu or the label it is owned and the main window stays on; OK
// always switches the main window on and shows it.
#include <QPushButton>
#include <QTest>

#include "desktop_fixture.h"
#include "shell/about_box.h"
#include "shell/clickable_label.h"

namespace plovis {
namespace {

using AboutRules = test::DesktopTest;

QPushButton* okOf(AboutBox* box) {
    return box->findChild<QPushButton*>("Command1");
}

TEST_F(AboutRules, ThePictureSwitchesTheMainWindowOffUntilOk) {
    QTest::mouseClick(child<QWidget>("Image1"), Qt::LeftButton);
    AboutBox* box = form().aboutBox();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->parentWidget(), nullptr);  // without owner
    EXPECT_FALSE(form().isEnabled());
    EXPECT_TRUE(box->isEnabled());  // the box itself answers while the main window is off
    okOf(box)->click();
    EXPECT_FALSE(box->isVisible());
    EXPECT_TRUE(form().isEnabled());
    EXPECT_TRUE(form().isVisible());
}

TEST_F(AboutRules, TheLabelShowsTheBoxOwnedAndLeavesTheMainWindowOn) {
    emit child<ClickableLabel>("Label10")->clicked();  // the label lies below the client area
    AboutBox* box = form().aboutBox();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->parentWidget(), &form());
    EXPECT_FALSE(box->isModal());
    EXPECT_TRUE(form().isEnabled());
    okOf(box)->click();
    EXPECT_TRUE(form().isEnabled());
}

TEST_F(AboutRules, OneInstanceIsReusedAndHiddenNotDestroyed) {
    start(withAllCommands());
    form().findChild<QAction*>("mnuAbout")->trigger();
    AboutBox* first = form().aboutBox();
    okOf(first)->click();
    QTest::mouseClick(child<QWidget>("Image1"), Qt::LeftButton);
    EXPECT_EQ(form().aboutBox(), first);
    EXPECT_EQ(first->parentWidget(), nullptr);
    okOf(first)->click();
    EXPECT_TRUE(form().isEnabled());
    form().findChild<QAction*>("mnuAbout")->trigger();  // owned again, from the menu
    EXPECT_TRUE(form().isEnabled());
    EXPECT_TRUE(okOf(first)->isEnabled());
    EXPECT_EQ(first->parentWidget(), &form());
    okOf(first)->click();
    EXPECT_TRUE(form().isEnabled());
}

TEST_F(AboutRules, ClosingTheBoxOtherwiseThanByOkStillSwitchesTheMainWindowOn) {
    QTest::mouseClick(child<QWidget>("Image1"), Qt::LeftButton);
    form().aboutBox()->close();
    EXPECT_TRUE(form().isEnabled());
    EXPECT_FALSE(form().aboutBox()->isVisible());
}

}  // namespace
}  // namespace plovis
