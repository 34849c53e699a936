#pragma once
// Command lines from the reviewed tables of this folder, and what they printed made comparable.

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace plovis::test {

// The words of a table line: '' an empty argument, '_' a blank (in a sheet name), and a workbook,
// drawing or picture name a file in the scratch folder.
inline std::vector<std::string> commandWords(const std::string& line,
                                             const std::filesystem::path& dir) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string w; in >> w;) {
        std::replace(w.begin(), w.end(), '_', ' ');
        const auto ext = std::filesystem::path(w).extension();
        const bool file = ext == ".xlsx" || ext == ".dxf" || ext == ".png" || ext == ".pdf";
        words.push_back(w == "''" ? "" : file ? (dir / w).string() : w);
    }
    return words;
}

// What a command printed, the scratch folder shown as <dir> (its name changes from run to run).
inline std::string withoutDir(std::string said, const std::filesystem::path& dir) {
    const std::string path = dir.string();
    for (auto at = said.find(path); at != std::string::npos; at = said.find(path))
        said.replace(at, path.size(), "<dir>");
    return said;
}

}  // namespace plovis::test
