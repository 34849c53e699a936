#pragma once
// The edits a save makes to the workbook-wide parts: spreadsheet programs are told to recalculate
// everything when they open the file, the calculation chain (the order in which formula cells were
// last calculated) is dropped, since it may list cells whose formulas were overwritten, and
// sheets added to the workbook get their relationship and content type.

#include <string>
#include <vector>

#include "hosts/xlsx/package_layout.h"

namespace plovis::xlsx {

struct NewSheetPart {
    std::string name;            // the sheet's tab name
    std::string part;            // "xl/worksheets/sheet3.xml"
    std::string relationshipId;  // "rId7"
    int sheetId = 0;
};

// Part names and ids for sheets added after the package was read, clear of those taken.
std::vector<NewSheetPart> planNewSheets(const std::vector<std::string>& names,
                                        const PackageLayout& layout, const ZipReader& zip);

// The workbook part with fullCalcOnLoad set, the calculation mode the workbook's, and the new
// sheets appended to its tabs.
std::string editWorkbookPart(const std::string& xml, const PackageLayout& layout,
                             const std::vector<NewSheetPart>& added,
                             Calculation calculation = Calculation::Automatic);
// The workbook's relationships without the calculation chain, with the new sheets. xml may be
// empty when the workbook had no relationships part.
std::string editWorkbookRelationships(const std::string& xml, const PackageLayout& layout,
                                      const std::vector<NewSheetPart>& added);
// The content types without the calculation chain's, with the new sheets'.
std::string editContentTypes(const std::string& xml, const PackageLayout& layout,
                             const std::vector<NewSheetPart>& added);

}  // namespace plovis::xlsx
