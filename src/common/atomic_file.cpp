#include "common/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <string>

namespace plovis {
namespace {

[[noreturn]] void fail(const std::string& what, int error) {
    throw FileWriteError(what + ": " + std::strerror(error));
}

// Opens a new temporary file in the folder, named after the target so a leftover is recognised.
int openTemporary(const std::filesystem::path& target, std::filesystem::path& temporary) {
    const auto seed =
        static_cast<unsigned long>(std::chrono::steady_clock::now().time_since_epoch().count());
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        temporary = target.parent_path() /
                    ("." + target.filename().string() + ".plovis-" + std::to_string(::getpid()) +
                     "-" + std::to_string((seed + attempt) % 1000000) + ".tmp");
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) return fd;
        if (errno != EEXIST)
            fail("cannot create a temporary file in " + target.parent_path().string(), errno);
    }
    fail("cannot create a temporary file in " + target.parent_path().string(), EEXIST);
}

void writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            fail("cannot write", errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

void syncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;  // the rename is done; only its durability on a crash is at stake
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

void writeFileAtomically(const std::filesystem::path& given, std::string_view bytes) {
    std::error_code ec;
    std::filesystem::path target = std::filesystem::weakly_canonical(given, ec);
    if (ec) target = std::filesystem::absolute(given);
    if (std::filesystem::is_directory(target, ec)) fail("it is a folder", EISDIR);

    std::filesystem::path temporary;
    const int fd = openTemporary(target, temporary);
    bool closed = false;
    try {
        struct stat existing;
        if (::stat(target.c_str(), &existing) == 0) ::fchmod(fd, existing.st_mode & 07777);
        writeAll(fd, bytes);
        if (::fsync(fd) != 0) fail("cannot flush to disk", errno);
        closed = true;  // the descriptor is released even when close reports an error
        if (::close(fd) != 0) fail("cannot write", errno);
    } catch (...) {
        if (!closed) ::close(fd);
        ::unlink(temporary.c_str());
        throw;
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        fail("cannot replace the file", error);
    }
    syncFolder(target.parent_path());
}

}  // namespace plovis
