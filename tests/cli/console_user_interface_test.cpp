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

const Message kQuestion{"The pipe class is too low.\rRaise it?", Buttons::YesNo, Icon::None, {}};
const Message kOkCancel{kQuestion.text, Buttons::OkCancel, Icon::None, {}};

// Messages print with their title, icon and line breaks; progress goes to the error stream, a
// line each without a terminal (none when quiet), overwritten in place and cleared before a
// message at a terminal.
TEST(ConsoleUserInterface, PrintsMessagesAndProgress) {
    Console c(false, {});
    c.ui.setStatus(StatusLabel::MainStatus, "Processing branch 1.Please wait...");
    c.ui.setStatus(StatusLabel::MainStatus, "");
    c.ui.setStatus(StatusLabel::DrawingStatus, "Reading Excel Rows  1 of  2");
    c.ui.showMessage({"First Select the Correct Range\rThen Click OK!", Buttons::Ok, Icon::Critical,
                      "Error!!!"});
    c.ui.showMessage(okMessage("Processing is complete"));
    EXPECT_EQ(c.out.str(),
              "Error!!! [critical]: First Select the Correct Range\n  Then Click OK!\n"
              "PLOVIS: Processing is complete\n");
    EXPECT_EQ(c.err.str(), "Processing branch 1.Please wait...\nReading Excel Rows  1 of  2\n");
    Console quiet(false, {std::nullopt, true});
    quiet.ui.setStatus(StatusLabel::MainStatus, "x");
    EXPECT_EQ(quiet.err.str(), "");
    Console t(true, {});
    t.ui.setStatus(StatusLabel::MainStatus, "step 1");
    t.ui.showMessage(okMessage("done"));
    EXPECT_EQ(t.err.str(), "\r\033[Kstep 1\r\033[K");
    EXPECT_EQ(t.out.str(), "PLOVIS: done\n");
}

// A flag answers (and wins over the terminal) and is logged; a terminal is asked until the answer
// is understood; without either the question is refused, or answered by the unattended answer.
TEST(ConsoleUserInterface, QuestionsAreAnsweredByFlagTerminalOrRefused) {
    // clang-format off
    const struct { Answer preset; Buttons buttons; Answer expected; const char* logged; } cases[] = {
        {Answer::Yes, Buttons::YesNo, Answer::Yes, "answered Yes (--yes)"},
        {Answer::No, Buttons::YesNo, Answer::No, "answered No (--no)"},
        {Answer::Yes, Buttons::OkCancel, Answer::Ok, "answered OK (--yes)"},
        {Answer::No, Buttons::OkCancel, Answer::Cancel, "answered Cancel (--no)"}};
    // clang-format on
    for (const auto& k : cases) {
        Console c(true, {k.preset, false}, "n\n");
        EXPECT_EQ(c.ui.showMessage(k.buttons == Buttons::YesNo ? kQuestion : kOkCancel),
                  k.expected);
        EXPECT_NE(c.out.str().find(k.logged), std::string::npos) << c.out.str();
    }
    EXPECT_EQ(Console(true, {}, "maybe\n  YES \n").ui.showMessage(kQuestion), Answer::Yes);
    EXPECT_EQ(Console(true, {}, "c\n").ui.showMessage(kOkCancel), Answer::Cancel);
    EXPECT_THROW(Console(false, {}).ui.showMessage(kQuestion), QuestionRefused);
    EXPECT_THROW(Console(true, {}, "").ui.showMessage(kQuestion), QuestionRefused);  // input ended
    Console safe(false, {});
    safe.ui.setUnattendedAnswer(Answer::No);
    EXPECT_EQ(safe.ui.showMessage(kQuestion), Answer::No);
    EXPECT_NE(safe.out.str().find("answered No (nobody at a terminal to ask)"), std::string::npos);
}

}  // namespace
}  // namespace plovis
