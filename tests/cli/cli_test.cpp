#include "cli/cli.h"

#include <gtest/gtest.h>

#include <CLI/CLI.hpp>

#include "support/cli_run.h"

namespace plovis {
namespace {

// A command that reports what it was given, to exercise the registry and the exit statuses.
std::vector<CliCommand> fakeCommands() {
    CliCommand echo{"echo", "Print the outcome asked for", [](CLI::App& sub) -> CommandBody {
                        auto outcome = std::make_shared<std::string>("done");
                        auto options = std::make_shared<ConsoleOptions>();
                        sub.add_option("outcome", *outcome, "done, failed, ends, ask or throw");
                        addConsoleOptions(sub, options);
                        return [outcome, options](const ConsoleStreams& streams) {
                            return runWithConsole(streams, *options, [&](ConsoleUserInterface& ui) {
                                if (*outcome == "ends") endApplication(ui);
                                if (*outcome == "throw") throw std::runtime_error("broken file");
                                if (*outcome == "ask") {
                                    return ui.showMessage({"Go on?", Buttons::YesNo, Icon::None,
                                                           std::nullopt}) == Answer::Yes;
                                }
                                return *outcome == "done";
                            });
                        };
                    }};
    return {echo};
}

test::CliRun run(std::vector<std::string> args, std::string typed = "", bool tty = false) {
    return test::runCliOn(args, fakeCommands(), typed, tty);
}

TEST(Cli, ExitStatusTellsTheOutcome) {
    EXPECT_EQ(run({"echo", "done"}).status, kExitDone);
    EXPECT_EQ(run({"echo", "failed"}).status, kExitFailed);
    EXPECT_EQ(run({"echo", "ends"}).status, kExitEnded);
    auto thrown = run({"echo", "throw"});
    EXPECT_EQ(thrown.status, kExitFailed);
    EXPECT_EQ(thrown.err, "plovis: broken file\n");
}

TEST(Cli, QuestionsAreAnsweredByFlagOrTerminalOrRefused) {
    EXPECT_EQ(run({"echo", "ask", "--yes"}).status, kExitDone);
    EXPECT_EQ(run({"echo", "ask", "--no"}).status, kExitFailed);
    EXPECT_EQ(run({"echo", "ask"}, "y\n", true).status, kExitDone);
    auto refused = run({"echo", "ask"});
    EXPECT_EQ(refused.status, kExitFailed);
    EXPECT_NE(refused.err.find("--yes or --no"), std::string::npos);
    EXPECT_EQ(run({"echo", "ask", "--yes", "--no"}).status, kExitUsage);
}

TEST(Cli, UsageErrorsExit64WithTheUsage) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"frobnicate"}, {"--bogus"}, {"echo", "--bogus"}, {"help", "frobnicate"}, {}}) {
        auto r = run(args);
        EXPECT_EQ(r.status, kExitUsage);
        EXPECT_NE(r.err.find("Usage"), std::string::npos) << r.err;
    }
}

TEST(Cli, HelpAndVersion) {
    auto overview = run({"--help"});
    EXPECT_EQ(overview.status, kExitDone);
    EXPECT_NE(overview.out.find("echo"), std::string::npos);
    EXPECT_NE(overview.out.find("Print the outcome asked for"), std::string::npos);
    auto topic = run({"help", "echo"});
    EXPECT_EQ(topic.status, kExitDone);
    EXPECT_NE(topic.out.find("--yes"), std::string::npos);
    EXPECT_EQ(run({"help"}).status, kExitDone);
    auto version = run({"--version"});
    EXPECT_EQ(version.status, kExitDone);
    EXPECT_EQ(version.out, std::string("plovis ") + PLOVIS_VERSION + "\n");
    auto sub = run({"echo", "--help"});
    EXPECT_EQ(sub.status, kExitDone);
    EXPECT_NE(sub.out.find("--quiet"), std::string::npos);
}

}  // namespace
}  // namespace plovis
