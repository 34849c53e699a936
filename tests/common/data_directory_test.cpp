#include "common/data_directory.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include "support/test_paths.h"

namespace plovis {
namespace {

TEST(DataDirectory, EnvironmentOverridesThenBesideTheProgram) {
    test::ScratchDir scratch("datadir");
    ::setenv("PLOVIS_DATA_DIR", scratch.path().c_str(), 1);
    EXPECT_EQ(dataDirectory(), scratch.path());
    ::unsetenv("PLOVIS_DATA_DIR");
    // The test program sits in the build tree, where no data/ folder is beside it.
    EXPECT_EQ(dataDirectory(), programDirectory() / "data");
    EXPECT_TRUE(programDirectory().is_absolute());
}

}  // namespace
}  // namespace plovis
