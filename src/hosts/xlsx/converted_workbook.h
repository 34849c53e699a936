#pragma once
// Schemes kept in old Excel workbooks (.xls) or in LibreOffice's (.ods): PLOVIS works on .xlsx,
// so such a file is converted once by LibreOffice running headless into an .xlsx beside it, and
// the command goes on with that. The original file is never written.

#include <filesystem>
#include <string>

namespace plovis {

// The Debian package that brings the converter, named in the message when it is missing.
inline constexpr const char* kConverterPackage = "libreoffice-calc-nogui";

// Whether the file is one PLOVIS converts before reading (.xls or .ods, ignoring case).
bool needsConversion(const std::filesystem::path& file);

struct WorkbookToOpen {
    std::filesystem::path file;  // the .xlsx to work on
    std::string note;            // what was done, for the user; empty when nothing was
};

// The workbook to open for `file`: the file itself unless it needs conversion; then the .xlsx
// beside it ("scheme.xls" gives "scheme.xlsx"), made by `converter` ("soffice"; empty: soffice or
// libreoffice found on the PATH) unless one newer than the original is there already. A name
// taken by an older file gets "-converted" added. Throws HostError naming the file when no
// converter is installed (with the package to install), when it fails or takes longer than
// `timeoutSeconds`, or when the folder cannot be written.
WorkbookToOpen workbookToOpen(const std::filesystem::path& file,
                              const std::filesystem::path& converter = {},
                              int timeoutSeconds = 180);

}  // namespace plovis
