#include "cli/console_user_interface.h"

#include <gtest/gtest.h>

#include <sstream>

namespace plovis {
namespace {

struct Console {
    std::ostringstream out, err;
    std::istringstream in;
    ConsoleUserInterface ui;
    Console(bool terminal, ConsoleOptions options, std::string typed = "")
        : in(std::move(typed)), ui({out, err, in, terminal}, options) {}
};

const Message kQuestion{"The pipe class is too low.\rRaise it?", Buttons::YesNo, Icon::None,
                        std::nullopt};

TEST(ConsoleUserInterface, PrintsTitleIconAndLineBreaks) {
    Console c(false, {});
    c.ui.showMessage({"First Select the Correct Range\rThen Click OK!", Buttons::Ok, Icon::Critical,
                      "Error!!!"});
    c.ui.showMessage(okMessage("Processing is complete"));
    EXPECT_EQ(c.out.str(),
              "Error!!! [critical]: First Select the Correct Range\n  Then Click OK!\n"
              "PLOVIS: Processing is complete\n");
}

TEST(ConsoleUserInterface, AnswerFlagsAnswerAndAreLogged) {
    const struct {
        Answer preset;
        Buttons buttons;
        Answer expected;
        const char* logged;
    } cases[] = {
        {Answer::Yes, Buttons::YesNo, Answer::Yes, "answered Yes (--yes)"},
        {Answer::No, Buttons::YesNo, Answer::No, "answered No (--no)"},
        {Answer::Yes, Buttons::OkCancel, Answer::Ok, "answered OK (--yes)"},
        {Answer::No, Buttons::OkCancel, Answer::Cancel, "answered Cancel (--no)"},
    };
    for (const auto& k : cases) {
        Console c(true, {k.preset, false}, "n\n");  // the flag wins over the terminal
        Message m = kQuestion;
        m.buttons = k.buttons;
        EXPECT_EQ(c.ui.showMessage(m), k.expected);
        EXPECT_NE(c.out.str().find(k.logged), std::string::npos) << c.out.str();
    }
}

TEST(ConsoleUserInterface, AsksAtATerminalUntilTheAnswerIsUnderstood) {
    Console c(true, {}, "maybe\n  YES \n");
    EXPECT_EQ(c.ui.showMessage(kQuestion), Answer::Yes);
    Console d(true, {}, "c\n");
    Message m = kQuestion;
    m.buttons = Buttons::OkCancel;
    EXPECT_EQ(d.ui.showMessage(m), Answer::Cancel);
}

TEST(ConsoleUserInterface, RefusesAQuestionNobodyCanAnswer) {
    Console c(false, {});
    EXPECT_THROW(c.ui.showMessage(kQuestion), QuestionRefused);
    Console closed(true, {}, "");  // a terminal whose input ended
    EXPECT_THROW(closed.ui.showMessage(kQuestion), QuestionRefused);
    Console safe(false, {});
    safe.ui.setUnattendedAnswer(Answer::No);
    EXPECT_EQ(safe.ui.showMessage(kQuestion), Answer::No);
    EXPECT_NE(safe.out.str().find("answered No (nobody at a terminal to ask)"), std::string::npos);
}

TEST(ConsoleUserInterface, ProgressIsOneLineEachWithoutATerminal) {
    Console c(false, {});
    c.ui.setStatus(StatusLabel::MainStatus, "Processing branch 1.Please wait...");
    c.ui.setStatus(StatusLabel::MainStatus, "");
    c.ui.setStatus(StatusLabel::DrawingStatus, "Reading Excel Rows  1 of  2");
    EXPECT_EQ(c.err.str(), "Processing branch 1.Please wait...\nReading Excel Rows  1 of  2\n");
    Console quiet(false, {std::nullopt, true});
    quiet.ui.setStatus(StatusLabel::MainStatus, "x");
    EXPECT_EQ(quiet.err.str(), "");
}

TEST(ConsoleUserInterface, ProgressIsOverwrittenInPlaceOnATerminal) {
    Console c(true, {});
    c.ui.setStatus(StatusLabel::MainStatus, "step 1");
    c.ui.showMessage(okMessage("done"));
    EXPECT_EQ(c.err.str(), "\r\033[Kstep 1\r\033[K");  // cleared before the message prints
    EXPECT_EQ(c.out.str(), "PLOVIS: done\n");
}

}  // namespace
}  // namespace plovis
