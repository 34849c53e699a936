#pragma once
// Workbooks with macros (.xlsm) and without (.xlsx) are told apart by the content type of their
// workbook part, and spreadsheet programs refuse to open a file whose name says the other kind
// ("the file format or extension is not valid"). Saving therefore keeps the name and the kind
// together: a workbook with macros is never saved under an .xlsx name, where its macros would
// be carried by a file that cannot run them, nor one without under an .xlsm name.

#include <filesystem>

#include "hosts/xlsx/package_layout.h"
#include "hosts/xlsx/zip_archive.h"

namespace plovis::xlsx {

// Whether the workbook is macro-enabled, as the content type of its workbook part says (the one
// thing spreadsheet programs go by: a VBA project in a workbook of the plain type never runs).
bool holdsMacros(ZipReader& zip, const PackageLayout& layout);

// Throws PackageError when the file's extension (.xlsx or .xlsm, in any case) is the other kind
// of workbook; other names are left to the caller.
void checkWorkbookKind(const std::filesystem::path& file, bool macros);

}  // namespace plovis::xlsx
