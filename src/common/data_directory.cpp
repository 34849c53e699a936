#include "common/data_directory.h"

#include <cstdlib>

namespace plovis {

std::filesystem::path programDirectory() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return std::filesystem::current_path();
    return exe.parent_path();
}

std::filesystem::path dataDirectory() {
    if (const char* dir = std::getenv("PLOVIS_DATA_DIR"); dir && *dir) return dir;
    const auto program = programDirectory();
    const auto beside = program / "data";
    if (std::filesystem::is_directory(beside)) return beside;
    const auto installed = program.parent_path() / "share" / "plovis";
    if (std::filesystem::is_directory(installed)) return installed;
    return beside;
}

}  // namespace plovis
