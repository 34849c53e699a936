#pragma once
// Workbook packages built in tests: parts written out as text, zipped with the host's own writer,
// and the oracle script that reads and writes workbooks with openpyxl.

#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "hosts/cell_value.h"
#include "support/file_bytes.h"

namespace plovis::test {

using Parts = std::map<std::string, std::string>;

inline CellValue text(const char* t) {
    return std::string(t);
}

// A worksheet part: what comes before the cell table, and the table's rows.
std::string worksheetXml(const std::string& rows, const std::string& before = "");
// A shared string table of plain items.
std::string sharedStringsXml(const std::vector<std::string>& items);

// The parts of a workbook with these sheets (name, worksheet XML) in tab order; shared strings
// when given; extra goes into the workbook part after its sheets (a calcPr, defined names).
Parts workbookParts(const std::vector<std::pair<std::string, std::string>>& sheets,
                    const std::string& sharedStrings = "", const std::string& extra = "");

// The parts zipped into a package, and a package's parts inflated.
std::string zipOf(const Parts& parts);
Parts partsOf(const std::string& package);

// What tests/hosts/xlsx/openpyxl_oracle.py prints, run with /usr/bin/python3; it must succeed.
std::string oracle(const std::vector<std::string>& args);

}  // namespace plovis::test
