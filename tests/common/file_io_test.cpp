// Files saved whole or not at all, and where the program finds its data.
#include "common/file_io.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <fstream>

#include "common/data_directory.h"
#include "support/test_paths.h"

namespace plovis {
namespace {

// A save removes what earlier saves of its file left when their process died, and nothing else:
// not the files of a running process (1), of another target, or of another name.
TEST(FileIo, ASaveRemovesTheLeftoversOfDeadSavesOfItsFile) {
    test::ScratchDir dir("file-io-leftovers");
    const pid_t dead = ::fork();
    if (dead == 0) ::_exit(0);
    ::waitpid(dead, nullptr, 0);
    const std::string d = std::to_string(dead);
    const std::pair<std::string, bool> leftovers[] = {
        {".w.xlsx.plovis-" + d + "-12.tmp", false}, {".w.xlsx.plovis-1-12.tmp", true},
        {".v.xlsx.plovis-" + d + "-12.tmp", true},  {".w.xlsx.plovis-" + d + "-x.tmp", true},
        {".w.xlsx.plovis-" + d + "-12.tmpx", true},
    };
    for (const auto& [name, kept] : leftovers)
        std::ofstream(dir / name) << "partial";
    writeFileAtomically(dir / "w.xlsx", "saved");
    for (const auto& [name, kept] : leftovers)
        EXPECT_EQ(std::filesystem::exists(dir / name), kept) << name;
}

// Interrupted during a save, the program ends as the signal says and leaves no temporary file.
TEST(FileIo, ASignalDuringASaveRemovesItsTemporaryFile) {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        test::ScratchDir dir("file-io-signal");
        const pid_t child = ::fork();
        if (child == 0) {
            AtomicFileWriter writer(dir / "w.xlsx");
            writer.write("half of a workbook");
            ::raise(signal);
            ::_exit(0);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << signal;
        EXPECT_TRUE(std::filesystem::is_empty(dir.path())) << signal;
    }
}

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
