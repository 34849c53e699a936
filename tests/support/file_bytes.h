#pragma once
// A file's bytes, for tests that check a file was (or was not) changed.

#include <filesystem>
#include <string>

namespace plovis::test {

std::string readBytes(const std::filesystem::path& file);
void writeBytes(const std::filesystem::path& file, const std::string& bytes);

}  // namespace plovis::test
