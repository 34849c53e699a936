// The desktop's message boxes: their buttons, icon, title, line breaks and safe button.
#include <QMessageBox>

#include "desktop_fixture.h"

namespace plovis {
namespace {

// Each box carries its buttons, icon and title, breaks its lines at carriage returns, shows a "<"
// as it stands, and answers Escape with the safe button; the save question offers Save, Discard
// and Cancel.
TEST(MessageBoxes, CarryTheirButtonsIconTitleAndSafeButton) {
    using B = QMessageBox;
    const struct {
        Message message;
        QMessageBox::StandardButtons buttons;
        QMessageBox::Icon icon;
        const char* title;
        QMessageBox::StandardButton escape;
    } cases[] = {
        // clang-format off
        {okMessage("Done"), B::Ok, B::NoIcon, "PLOVIS", B::Ok},
        {criticalMessage("Bad"), B::Ok, B::Critical, "PLOVIS", B::Ok},
        {{"Go on?", Buttons::OkCancel, Icon::Critical, "Error!!!"}, B::Ok | B::Cancel, B::Critical, "Error!!!", B::Cancel},
        {{"Raise?", Buttons::YesNo, Icon::Information, "ERROR"}, B::Yes | B::No, B::Information, "ERROR", B::No},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message.text);
        const auto box = makeMessageBox(c.message, nullptr);
        EXPECT_EQ(box->standardButtons(), c.buttons);
        EXPECT_EQ(box->icon(), c.icon);
        EXPECT_EQ(box->windowTitle(), c.title);
        if (c.escape != B::Ok) {
            EXPECT_EQ(box->escapeButton(), box->button(c.escape));
        }
    }
    const auto box =
        makeMessageBox(okMessage("Branch <2> has no title.\r and redraw it."), nullptr);
    EXPECT_EQ(box->text(), "Branch <2> has no title.\n and redraw it.");
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
    const auto save = makeSaveQuestion("scheme.xlsx", nullptr);
    EXPECT_EQ(save->standardButtons(), B::Save | B::Discard | B::Cancel);
    EXPECT_TRUE(save->text().contains("scheme.xlsx"));
    EXPECT_EQ(save->escapeButton(), save->button(B::Cancel));
}

}  // namespace
}  // namespace plovis
