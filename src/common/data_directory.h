#pragma once
// Where the program's data files live (template drawing, line type file, sample workbook, help).

#include <filesystem>

namespace plovis {

// The data folder: $PLOVIS_DATA_DIR when set; otherwise data/ beside the running program (a build
// tree), otherwise ../share/plovis from the program's folder (an installed program). When none of
// them exists, the first candidate beside the program is returned so messages can name it.
std::filesystem::path dataDirectory();

// The folder of the running program.
std::filesystem::path programDirectory();

}  // namespace plovis
