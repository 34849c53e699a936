#include "common/file_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <fstream>

#include "support/failure_text.h"
#include "support/file_bytes.h"
#include "support/test_paths.h"

namespace plovis {
namespace {

std::size_t filesIn(const std::filesystem::path& folder) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder),
                                                  std::filesystem::directory_iterator()));
}

// What is not a writable regular file is refused before anything is written, and left as it was;
// a FIFO is refused by the reader at once instead of waiting for a writer.
TEST(FileIo, OnlyWritableRegularFilesAreReplacedAndOnlyRegularFilesRead) {
    test::ScratchDir dir("file-io-targets");
    std::ofstream(dir / "locked.dxf") << "kept";
    ::chmod((dir / "locked.dxf").c_str(), 0444);
    ::mkfifo((dir / "pipe.xlsx").c_str(), 0644);
    const std::pair<std::string, std::string> cases[] = {
        {"locked.dxf", "it is read-only; save under another name"},
        {"pipe.xlsx", "it is not a regular file"},
        {".", "it is a folder: Is a directory"},
    };
    for (const auto& [name, said] : cases) {
        EXPECT_EQ(test::failureText<FileWriteError>([&] { writeFileAtomically(dir / name, "x"); }),
                  said);
    }
    EXPECT_EQ(test::readBytes(dir / "locked.dxf"), "kept");
    EXPECT_EQ(test::failureText<FileReadError>([&] { readFileBounded(dir / "pipe.xlsx", 10); }),
              "it is not a regular file");
    EXPECT_EQ(filesIn(dir.path()), 2u);
}

// A save removes what earlier saves of the same file left when their process died, and nothing
// else: not the files of a running process, of another target, or of another name.
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
        EXPECT_EQ(filesIn(dir.path()), 0u) << signal;
    }
}

}  // namespace
}  // namespace plovis
