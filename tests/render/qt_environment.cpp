// One Qt GUI application for the whole test program, on the offscreen platform.
#include <gtest/gtest.h>

#include "render/render_files.h"

namespace plovis {
namespace {

class QtEnvironment : public ::testing::Environment {
  public:
    void SetUp() override { session_ = std::make_unique<RenderSession>(); }
    void TearDown() override { session_.reset(); }

  private:
    std::unique_ptr<RenderSession> session_;
};

[[maybe_unused]] ::testing::Environment* const kQt =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace
}  // namespace plovis
