// The desktop's user interface: message boxes with their buttons, icon and title and line breaks,
// captions painted at once, the wait window.
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include "desktop_fixture.h"
#include "shell/wait_window.h"

namespace plovis {
namespace {

struct BoxCase {
    Message message;
    QMessageBox::StandardButtons buttons;
    QMessageBox::Icon icon;
    const char* title;
};

TEST(MessageBoxes, CarryTheirButtonsIconAndTitle) {
    const BoxCase cases[] = {
        {okMessage("Done"), QMessageBox::Ok, QMessageBox::NoIcon, "PLOVIS"},
        {criticalMessage("Bad"), QMessageBox::Ok, QMessageBox::Critical, "PLOVIS"},
        {{"Go on?", Buttons::OkCancel, Icon::Critical, "Error!!!"},
         QMessageBox::Ok | QMessageBox::Cancel,
         QMessageBox::Critical,
         "Error!!!"},
        {{"Raise?", Buttons::YesNo, Icon::Information, "ERROR"},
         QMessageBox::Yes | QMessageBox::No,
         QMessageBox::Information,
         "ERROR"},
    };
    for (const BoxCase& c : cases) {
        const auto box = makeMessageBox(c.message, nullptr);
        EXPECT_EQ(box->standardButtons(), c.buttons) << c.message.text;
        EXPECT_EQ(box->icon(), c.icon) << c.message.text;
        EXPECT_EQ(box->windowTitle(), c.title) << c.message.text;
    }
}

TEST(MessageBoxes, CarriageReturnsBreakTheLines) {
    const auto box = makeMessageBox(okMessage("Branch 2 has no title.\r and redraw it."), nullptr);
    EXPECT_EQ(box->text(), "Branch 2 has no title.\n and redraw it.");
    EXPECT_EQ(box->textFormat(), Qt::PlainText);  // a "<" in a message is shown as it stands
}

TEST(MessageBoxes, EscapeAnswersTheSafeButton) {
    const auto question =
        makeMessageBox({"Go on?", Buttons::OkCancel, Icon::None, std::nullopt}, nullptr);
    EXPECT_EQ(question->escapeButton(), question->button(QMessageBox::Cancel));
    const auto yesNo =
        makeMessageBox({"Raise?", Buttons::YesNo, Icon::None, std::nullopt}, nullptr);
    EXPECT_EQ(yesNo->escapeButton(), yesNo->button(QMessageBox::No));
}

TEST(MessageBoxes, TheSaveQuestionOffersSaveDiscardAndCancel) {
    const auto box = makeSaveQuestion("scheme.xlsx", nullptr);
    EXPECT_EQ(box->standardButtons(),
              QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    EXPECT_TRUE(box->text().contains("scheme.xlsx"));
    EXPECT_EQ(box->escapeButton(), box->button(QMessageBox::Cancel));
}

// Counts the paints a label receives.
struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++paints;
        return false;
    }
};

using Captions = test::DesktopTest;

TEST_F(Captions, ACaptionIsPaintedAtOnceWithoutWaitingForTheEventLoop) {
    settle();
    QLabel* status = child<QLabel>("lblStatus");
    PaintCounter counter;
    status->installEventFilter(&counter);
    desktop->ui().setStatus(StatusLabel::MainStatus, "Reading data from excel.Please wait...");
    EXPECT_EQ(status->text(), "Reading data from excel.Please wait...");
    EXPECT_GE(counter.paints, 1);
    desktop->ui().setStatus(StatusLabel::DrawingStatus, "Processing Branch 1 of 2");
    EXPECT_EQ(drawingStatus(), "Processing Branch 1 of 2");
    // The dialog's label is not there: its caption goes nowhere, harmlessly.
    desktop->ui().setStatus(StatusLabel::GroundProfileStatus, "Drawing profile sheet");
    status->removeEventFilter(&counter);
}

TEST_F(Captions, TheWaitWindowShowsItsCaptionAndLineThenGoes) {
    desktop->ui().showWaitWindow("Lunching Excel", "Lunching Excel");
    WaitWindow* wait = desktop->ui().waitWindow();
    ASSERT_NE(wait, nullptr);
    EXPECT_TRUE(wait->isVisible());
    EXPECT_EQ(wait->objectName(), "Form2");
    EXPECT_EQ(wait->windowTitle(), "Lunching Excel");
    EXPECT_EQ(wait->findChild<QLabel*>("Label2")->text(), "Please Wait !");
    EXPECT_EQ(wait->findChild<QLabel*>("Label1")->text(), "Lunching Excel");
    desktop->ui().hideWaitWindow();
    EXPECT_EQ(desktop->ui().waitWindow(), nullptr);
}

TEST_F(Captions, AFailureNoRoutineAnsweredIsShownNotLost) {
    desktop->runCommand([] { throw HostError("The disk is full"); });
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_EQ(dialogs->shown[0].message.text, "The command stopped: The disk is full");
    EXPECT_EQ(dialogs->shown[0].message.icon, Icon::Critical);
    EXPECT_FALSE(desktop->guard().busy());
}

TEST_F(Captions, OneCommandAtATime) {
    int inner = 0;
    desktop->runCommand([&] {
        EXPECT_TRUE(desktop->guard().busy());
        desktop->runCommand([&] { ++inner; });  // a click while a command waits for the user
    });
    EXPECT_EQ(inner, 0);
    EXPECT_FALSE(desktop->guard().busy());
}

}  // namespace
}  // namespace plovis
