#include "common/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <chrono>
#include <csignal>
#include <cstring>

#include "common/interrupted_saves.h"

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
    return target;
}

// A file is only ever replaced by a file, and a read-only one not at all: spreadsheet and CAD
// programs refuse to save over it and ask for another name. The permission bits decide, not
// only access(2), so a file marked read-only stays so for the administrator too.
void checkReplaceable(const std::filesystem::path& target) {
    struct stat info;
    if (::stat(target.c_str(), &info) != 0) return;  // a new file
    if (S_ISDIR(info.st_mode)) failWrite("it is a folder", EISDIR);
    if (!S_ISREG(info.st_mode)) throw FileWriteError("it is not a regular file");
    if ((info.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0)
        throw FileWriteError("it is read-only; save under another name");
}

// The process id in the name of a temporary file of the target ("." NAME ".plovis-PID-N.tmp"),
// or 0 for a name of another form.
pid_t temporaryOwner(const std::string& name, const std::string& prefix) {
    constexpr std::string_view suffix = ".tmp";
    if (name.size() <= prefix.size() + suffix.size() || name.compare(0, prefix.size(), prefix) ||
        !name.ends_with(suffix))
        return 0;
    const char* first = name.data() + prefix.size();
    const char* last = name.data() + name.size() - suffix.size();
    long pid = 0, serial = 0;
    const auto [dash, ec] = std::from_chars(first, last, pid);
    if (ec != std::errc() || dash == last || *dash != '-') return 0;
    const auto [end, ec2] = std::from_chars(dash + 1, last, serial);
    if (ec2 != std::errc() || end != last || pid <= 0) return 0;
    return static_cast<pid_t>(pid);
}

// Temporary files an earlier save of this target left behind (its process was killed, or the
// machine stopped): their process no longer runs, so nothing will ever rename or remove them.
void removeLeftovers(const std::filesystem::path& target) {
    const std::string prefix = "." + target.filename().string() + ".plovis-";
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(target.parent_path(), ec)) {
        const pid_t owner = temporaryOwner(entry.path().filename().string(), prefix);
        if (owner == 0 || owner == ::getpid()) continue;
        if (::kill(owner, 0) != 0 && errno == ESRCH) ::unlink(entry.path().c_str());
    }
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

// What the open file is, checked on the descriptor itself so that nothing can swap the file
// between the check and the reading.
void checkReadable(int fd, std::uintmax_t limit, std::size_t& size) {
    using Problem = FileReadError::Problem;
    struct stat info;
    if (::fstat(fd, &info) != 0)
        failRead(Problem::Unreadable,
                 std::string("it cannot be read (") + std::strerror(errno) + ")");
    if (S_ISDIR(info.st_mode)) failRead(Problem::Folder, "it is a folder, not a file");
    if (!S_ISREG(info.st_mode)) failRead(Problem::NotRegular, "it is not a regular file");
    if (static_cast<std::uintmax_t>(info.st_size) > limit)
        failRead(Problem::TooLarge, "it is larger than " + std::to_string(limit >> 20) + " MB");
    size = static_cast<std::size_t>(info.st_size);
}

}  // namespace

std::string readFileBounded(const std::filesystem::path& file, std::uintmax_t limit) {
    using Problem = FileReadError::Problem;
    // Non-blocking: opening a FIFO that no program writes to would otherwise wait for ever.
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            failRead(Problem::Missing, "there is no such file");
        failRead(Problem::Unreadable,
                 std::string("it cannot be read (") + std::strerror(errno) + ")");
    }
    std::string bytes;
    try {
        std::size_t size = 0;
        checkReadable(fd, limit, size);
        bytes.reserve(size);
        readAll(fd, bytes, limit);
    } catch (...) {
        ::close(fd);
        throw;
    }
    ::close(fd);
    return bytes;
}

bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    struct stat first, second;
    if (::stat(a.c_str(), &first) != 0 || ::stat(b.c_str(), &second) != 0) return false;
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

AtomicFileWriter::AtomicFileWriter(const std::filesystem::path& given)
    : target_(resolvedTarget(given)) {
    checkReplaceable(target_);
    removeLeftovers(target_);
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
    guard_ = std::make_unique<InterruptedSaveGuard>(temporary_.string());
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
    guard_.reset();
    syncFolder(target_.parent_path());
}

void writeFileAtomically(const std::filesystem::path& target, std::string_view bytes) {
    AtomicFileWriter writer(target);
    writer.write(bytes);
    writer.commit();
}

}  // namespace plovis
