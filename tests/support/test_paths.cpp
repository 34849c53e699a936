#include "support/test_paths.h"

#include <unistd.h>

#include <cstdlib>

namespace plovis::test {

std::filesystem::path sourceDir() {
    if (const char* dir = std::getenv("PLOVIS_SOURCE_DIR")) return dir;
    return std::filesystem::current_path();
}

std::filesystem::path binaryDir() {
    if (const char* dir = std::getenv("PLOVIS_BINARY_DIR")) return dir;
    return sourceDir() / "build";
}

ScratchDir::ScratchDir(const std::string& name) {
    path_ = std::filesystem::temp_directory_path() /
            ("plovis-test-" + name + "-" + std::to_string(::getpid()));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

}  // namespace plovis::test
