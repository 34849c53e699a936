#include "common/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

namespace plovis {
namespace {

[[noreturn]] void failWrite(std::string what, int error) {
    what += ": ";
    what += std::strerror(error);
    throw FileWriteError(what);
}

[[noreturn]] void failRead(FileReadError::Problem problem, std::string what) {
    throw FileReadError(problem, what);
}

// The file a target names: the end of a chain of symbolic links, so the link itself stays.
std::filesystem::path resolvedTarget(const std::filesystem::path& given) {
    std::error_code ec;
    std::filesystem::path target = std::filesystem::weakly_canonical(given, ec);
    if (ec) target = std::filesystem::absolute(given);
    if (std::filesystem::is_directory(target, ec)) failWrite("it is a folder", EISDIR);
    return target;
}

// A temporary name beside the target, named after it so a leftover is recognised.
std::filesystem::path temporaryName(const std::filesystem::path& target, unsigned long serial) {
    std::string name = ".";
    name += target.filename().string();
    name += ".plovis-";
    name += std::to_string(::getpid());
    name += '-';
    name += std::to_string(serial % 1000000);
    name += ".tmp";
    return target.parent_path() / name;
}

void syncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;  // the rename is done; only its durability on a crash is at stake
    ::fsync(fd);
    ::close(fd);
}

void readAll(int fd, std::string& bytes, std::uintmax_t limit) {
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0)
            failRead(FileReadError::Problem::Unreadable,
                     std::string("it cannot be read (") + std::strerror(errno) + ")");
        if (n == 0) return;
        if (bytes.size() + static_cast<std::size_t>(n) > limit) break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    // A file that grew past the bound while it was read.
    failRead(FileReadError::Problem::TooLarge,
             "it is larger than " + std::to_string(limit >> 20) + " MB");
}

}  // namespace

std::string readFileBounded(const std::filesystem::path& file, std::uintmax_t limit) {
    using Problem = FileReadError::Problem;
    struct stat info;
    if (::stat(file.c_str(), &info) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            failRead(Problem::Missing, "there is no such file");
        failRead(Problem::Unreadable,
                 std::string("it cannot be read (") + std::strerror(errno) + ")");
    }
    if (S_ISDIR(info.st_mode)) failRead(Problem::Folder, "it is a folder, not a file");
    if (!S_ISREG(info.st_mode)) failRead(Problem::NotRegular, "it is not a regular file");
    if (static_cast<std::uintmax_t>(info.st_size) > limit)
        failRead(Problem::TooLarge, "it is larger than " + std::to_string(limit >> 20) + " MB");
    // Non-blocking, so a file swapped for a FIFO after the check cannot hang the open.
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        failRead(Problem::Unreadable,
                 std::string("it cannot be read (") + std::strerror(errno) + ")");
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    try {
        readAll(fd, bytes, limit);
    } catch (...) {
        ::close(fd);
        throw;
    }
    ::close(fd);
    return bytes;
}

AtomicFileWriter::AtomicFileWriter(const std::filesystem::path& given)
    : target_(resolvedTarget(given)) {
    const auto seed =
        static_cast<unsigned long>(std::chrono::steady_clock::now().time_since_epoch().count());
    for (unsigned attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        temporary_ = temporaryName(target_, seed + attempt);
        fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0 && errno != EEXIST)
            failWrite("cannot create a temporary file in " + target_.parent_path().string(), errno);
    }
    if (fd_ < 0)
        failWrite("cannot create a temporary file in " + target_.parent_path().string(), EEXIST);
    struct stat existing;
    if (::stat(target_.c_str(), &existing) == 0) ::fchmod(fd_, existing.st_mode & 07777);
}

AtomicFileWriter::~AtomicFileWriter() {
    if (fd_ < 0) return;
    ::close(fd_);
    ::unlink(temporary_.c_str());
}

void AtomicFileWriter::write(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) failWrite("cannot write", errno);
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

void AtomicFileWriter::commit() {
    if (::fsync(fd_) != 0) failWrite("cannot flush to disk", errno);
    const int fd = fd_;
    fd_ = -1;  // the descriptor is released even when close reports an error
    if (::close(fd) != 0 || ::rename(temporary_.c_str(), target_.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary_.c_str());
        failWrite("cannot replace the file", error);
    }
    syncFolder(target_.parent_path());
}

void writeFileAtomically(const std::filesystem::path& target, std::string_view bytes) {
    AtomicFileWriter writer(target);
    writer.write(bytes);
    writer.commit();
}

}  // namespace plovis
