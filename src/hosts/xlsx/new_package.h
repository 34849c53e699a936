#pragma once
// The package of a new workbook before any sheet is added: the parts every spreadsheet program
// expects (content types, relationships, the workbook part and a minimal style sheet).

#include <string>

namespace plovis::xlsx {

std::string newWorkbookPackage();

}  // namespace plovis::xlsx
