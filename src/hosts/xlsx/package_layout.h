#pragma once
// How a workbook package is laid out: which part is the workbook, which parts hold its sheets in
// tab order, its shared strings and calculation chain, and the workbook-wide settings the host
// reads (active tab, calculation mode, date system).

#include <string>
#include <vector>

#include "hosts/spreadsheet.h"
#include "hosts/xlsx/package_parts.h"
#include "hosts/xlsx/zip_archive.h"

namespace plovis::xlsx {

struct SheetEntry {
    std::string name;
    std::string part;        // "xl/worksheets/sheet1.xml"
    bool worksheet = false;  // false for chart and dialog sheets, which hold no cells
};

// A defined name as the workbook part lists it.
struct LayoutName {
    std::string name;
    int sheet = -1;  // index into sheets for a name of one sheet (localSheetId); -1: workbook
    std::string formula;
};

struct PackageLayout {
    std::string workbookPart;  // "xl/workbook.xml"
    std::vector<Relationship> workbookRelationships;
    std::string sharedStringsPart;   // empty when the workbook has none
    std::string calcChainPart;       // empty when the workbook has none
    std::vector<SheetEntry> sheets;  // in tab order
    int lastSheetId = 0;             // the highest sheetId given so far
    int activeTab = 0;               // index into sheets
    bool date1904 = false;           // dates count from 1904 (old Mac workbooks)
    Calculation calculation = Calculation::Automatic;
    std::vector<LayoutName> names;
};

// Reads the layout. Throws PackageError when the package is not a workbook or its structure is
// broken (a sheet without its part, malformed XML).
PackageLayout readLayout(ZipReader& zip);

}  // namespace plovis::xlsx
