#pragma once
// Where tests find the source tree and a scratch folder of their own.

#include <filesystem>
#include <string>

namespace plovis::test {

// The source tree (for data/ and fixtures), from PLOVIS_SOURCE_DIR or the working directory.
std::filesystem::path sourceDir();
// The build tree (for the plovis program), from PLOVIS_BINARY_DIR.
std::filesystem::path binaryDir();
// A fresh, empty folder for one test, removed when the object goes.
class ScratchDir {
  public:
    explicit ScratchDir(const std::string& name);
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& file) const { return path_ / file; }

  private:
    std::filesystem::path path_;
};

}  // namespace plovis::test
