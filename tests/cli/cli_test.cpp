#include "cli/cli.h"

#include <gtest/gtest.h>

#include <CLI/CLI.hpp>
#include <sstream>

namespace plovis {
namespace {

struct Run {
    std::ostringstream out, err;
    std::istringstream in;
    int status = -1;
};

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

std::unique_ptr<Run> run(std::vector<std::string> args, std::string typed = "", bool tty = false) {
    auto r = std::make_unique<Run>();
    r->in.str(std::move(typed));
    r->status = runCli(args, {r->out, r->err, r->in, tty}, fakeCommands());
    return r;
}

TEST(Cli, ExitStatusTellsTheOutcome) {
    EXPECT_EQ(run({"echo", "done"})->status, kExitDone);
    EXPECT_EQ(run({"echo", "failed"})->status, kExitFailed);
    EXPECT_EQ(run({"echo", "ends"})->status, kExitEnded);
    auto thrown = run({"echo", "throw"});
    EXPECT_EQ(thrown->status, kExitFailed);
    EXPECT_EQ(thrown->err.str(), "plovis: broken file\n");
}

TEST(Cli, QuestionsAreAnsweredByFlagOrTerminalOrRefused) {
    EXPECT_EQ(run({"echo", "ask", "--yes"})->status, kExitDone);
    EXPECT_EQ(run({"echo", "ask", "--no"})->status, kExitFailed);
    EXPECT_EQ(run({"echo", "ask"}, "y\n", true)->status, kExitDone);
    auto refused = run({"echo", "ask"});
    EXPECT_EQ(refused->status, kExitFailed);
    EXPECT_NE(refused->err.str().find("--yes or --no"), std::string::npos);
    EXPECT_EQ(run({"echo", "ask", "--yes", "--no"})->status, kExitUsage);
}

TEST(Cli, UsageErrorsExit64WithTheUsage) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"frobnicate"}, {"--bogus"}, {"echo", "--bogus"}, {"help", "frobnicate"}, {}}) {
        auto r = run(args);
        EXPECT_EQ(r->status, kExitUsage);
        EXPECT_NE(r->err.str().find("Usage"), std::string::npos) << r->err.str();
    }
}

TEST(Cli, HelpAndVersion) {
    auto overview = run({"--help"});
    EXPECT_EQ(overview->status, kExitDone);
    EXPECT_NE(overview->out.str().find("echo"), std::string::npos);
    EXPECT_NE(overview->out.str().find("Print the outcome asked for"), std::string::npos);
    auto topic = run({"help", "echo"});
    EXPECT_EQ(topic->status, kExitDone);
    EXPECT_NE(topic->out.str().find("--yes"), std::string::npos);
    EXPECT_EQ(run({"help"})->status, kExitDone);
    auto version = run({"--version"});
    EXPECT_EQ(version->status, kExitDone);
    EXPECT_EQ(version->out.str(), std::string("plovis ") + PLOVIS_VERSION + "\n");
    auto sub = run({"echo", "--help"});
    EXPECT_EQ(sub->status, kExitDone);
    EXPECT_NE(sub->out.str().find("--quiet"), std::string::npos);
}

}  // namespace
}  // namespace plovis
