// The plovis program where there is no display: without a command it gives the usage and says
// why (64), the desktop command refuses (1), and the command line goes on working.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "support/run_command.h"
#include "support/test_paths.h"

namespace plovis {
namespace {

TEST(WithoutDisplay, TheDesktopRefusesAndTheCommandLineWorks) {
    std::vector<std::pair<const char*, std::optional<std::string>>> saved;
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(name);
        saved.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
        unsetenv(name);
    }
    const auto plovis = [](const std::vector<std::string>& args) {
        return test::runProgram((test::binaryDir() / "src/plovis").string(), args);
    };
    const auto none = plovis({});
    EXPECT_EQ(none.status, 64);
    EXPECT_NE(none.errors.find("no display for the desktop application"), std::string::npos);
    const auto desktop = plovis({"desktop", "--all-commands"});
    EXPECT_EQ(desktop.status, 1);
    EXPECT_NE(desktop.errors.find("no display"), std::string::npos);
    const auto help = plovis({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* command : {"desktop", "profile", "water-demand", "render"})
        EXPECT_NE(help.output.find(command), std::string::npos) << command;
    test::ScratchDir dir("shell-nodisplay");
    const auto r = plovis({"render", (test::sourceDir() / "data/Pipe-des-blank.dxf").string(),
                           "--png", (dir / "t.png").string()});
    EXPECT_EQ(r.status, 0) << r.errors;
    for (const auto& [name, value] : saved)
        if (value) setenv(name, value->c_str(), 1);
}

}  // namespace
}  // namespace plovis
