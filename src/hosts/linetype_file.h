#pragma once
// Line type files (.lin): each line type is a header line "*NAME,description" followed by its
// pattern line "A,dash,gap,..." (dashes > 0, gaps < 0, dots 0, in drawing units). Lines starting
// with ";;" are comments.

#include <filesystem>
#include <string_view>
#include <vector>

#include "hosts/cad_tables.h"

namespace plovis {

// The file a load names: "acad.lin" and "acadiso.lin" (the CAD host's standard files, absent on
// this platform) are PLOVIS's own "plovis.lin" in the data folder; any other name is a path.
std::filesystem::path linetypeFilePath(std::string_view fileName);

// Every line type of the file, in file order. Throws HostError naming the file (and line) when it
// cannot be read or a definition is malformed.
std::vector<CadLinetype> readLinetypeFile(const std::filesystem::path& file);

// The same for file contents already read; `source` names them in messages.
std::vector<CadLinetype> parseLinetypes(std::string_view contents, const std::string& source);

}  // namespace plovis
