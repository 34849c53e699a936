// One Qt application for the whole test program on the offscreen platform (no display needed),
// with the program's data folder, and settings kept apart from the user's.
#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>
#include <cstdlib>
#include <memory>

#include "support/test_paths.h"

namespace plovis {
namespace {

class ShellEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        setenv("PLOVIS_DATA_DIR", (test::sourceDir() / "data").c_str(), 1);
        QStandardPaths::setTestModeEnabled(true);
        app_ = std::make_unique<QApplication>(argc_, argv_);
        QApplication::setQuitOnLastWindowClosed(false);
    }
    void TearDown() override { app_.reset(); }

  private:
    int argc_ = 1;
    char name_[16] = "test_shell";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] ::testing::Environment* const kShell =
    ::testing::AddGlobalTestEnvironment(new ShellEnvironment);

}  // namespace
}  // namespace plovis
