#pragma once
// Files as every back end reads and writes them. Reading takes whole regular files up to a
// bound, so a FIFO, a device or a file far larger than any scheme never blocks or exhausts
// memory. Writing goes to a temporary file beside the target, flushed to disk and renamed over
// it, so a file is either wholly the old one or wholly the new one; a failure (a full disk, a
// folder without write permission) leaves the target untouched.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace plovis {

struct FileWriteError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct FileReadError : std::runtime_error {
    enum class Problem { Missing, Folder, NotRegular, TooLarge, Unreadable };
    FileReadError(Problem p, const std::string& what) : std::runtime_error(what), problem(p) {}
    Problem problem;
};

// The whole content of a regular file of at most `limit` bytes. Throws FileReadError whose text
// names the problem (not the file): "there is no such file", "it is a folder, not a file", "it is
// not a regular file", "it is larger than N MB", "it cannot be read (...)".
std::string readFileBounded(const std::filesystem::path& file, std::uintmax_t limit);

// Whether the two paths name one file (the same device and inode: through symbolic and hard links
// too). False when either does not exist.
bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b);

class InterruptedSaveGuard;

// Streams bytes into a new temporary file in the target's folder (".NAME.plovis-PID-N.tmp").
// commit() flushes it to disk and renames it over the target; a writer destroyed without commit(),
// or interrupted by SIGINT, SIGTERM or SIGHUP, removes its temporary file, and the temporary files
// of earlier saves of the target whose process has died are removed when the writer starts. A
// target that is a symbolic link has the file it points to replaced; an existing file keeps its
// permissions. A target that is read-only, a folder or not a regular file (a FIFO, a device) is
// refused. Every member throws FileWriteError naming the problem (not the file).
class AtomicFileWriter {
  public:
    explicit AtomicFileWriter(const std::filesystem::path& target);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    void write(std::string_view bytes);
    void commit();

  private:
    std::filesystem::path target_, temporary_;
    int fd_ = -1;
    std::unique_ptr<InterruptedSaveGuard> guard_;
};

// Replaces (or creates) the file with the bytes through an AtomicFileWriter.
void writeFileAtomically(const std::filesystem::path& target, std::string_view bytes);

}  // namespace plovis
