// The plovis program: without a command it opens the desktop application, and where there is no
// display it says so and the command line goes on working.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "support/run_command.h"
#include "support/test_paths.h"

namespace plovis {
namespace {

// Runs plovis as on a machine without a display (this test program itself runs offscreen).
class WithoutDisplay : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* name : kDisplayVariables) {
            const char* value = std::getenv(name);
            saved_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
            unsetenv(name);
        }
    }
    void TearDown() override {
        for (const auto& [name, value] : saved_) {
            if (value) setenv(name, value->c_str(), 1);
        }
    }
    static test::CommandResult plovis(const std::vector<std::string>& args) {
        return test::runProgram((test::binaryDir() / "src/plovis").string(), args);
    }

  private:
    static constexpr const char* kDisplayVariables[] = {"QT_QPA_PLATFORM", "DISPLAY",
                                                        "WAYLAND_DISPLAY"};
    std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
};

TEST_F(WithoutDisplay, NoCommandGivesTheUsageAndSaysWhy) {
    const auto r = plovis({});
    EXPECT_EQ(r.status, 64);
    EXPECT_NE(r.errors.find("no display for the desktop application"), std::string::npos);
    EXPECT_NE(r.errors.find("desktop"), std::string::npos);
}

TEST_F(WithoutDisplay, TheDesktopCommandRefusesWithItsReason) {
    const auto r = plovis({"desktop", "--all-commands"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.errors.find("no display"), std::string::npos);
}

TEST_F(WithoutDisplay, TheCommandsAreListedAndRunWithoutADisplay) {
    const auto help = plovis({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* command : {"desktop", "profile", "water-demand", "render"})
        EXPECT_NE(help.output.find(command), std::string::npos) << command;
    test::ScratchDir dir("shell-nodisplay");
    const auto r = plovis({"render", (test::sourceDir() / "data/Pipe-des-blank.dxf").string(),
                           "--png", (dir / "t.png").string()});
    EXPECT_EQ(r.status, 0) << r.errors;
}

}  // namespace
}  // namespace plovis
