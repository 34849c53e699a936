#pragma once
// Writing a file so that it is either wholly the old one or wholly the new one: the content goes
// to a temporary file beside the target, is flushed to disk, and is renamed over the target.
// A failure (a full disk, a folder without write permission) leaves the target untouched.

#include <filesystem>
#include <stdexcept>
#include <string_view>

namespace plovis {

struct FileWriteError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Replaces (or creates) the file with the bytes. A target that is a symbolic link has the file
// it points to replaced; an existing file keeps its permissions. Throws FileWriteError naming the
// problem (not the file).
void writeFileAtomically(const std::filesystem::path& target, std::string_view bytes);

}  // namespace plovis
