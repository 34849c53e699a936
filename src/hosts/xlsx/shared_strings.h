#pragma once
// The shared string table of a workbook: the texts cells refer to by number.

#include <string>
#include <string_view>
#include <vector>

namespace plovis::xlsx {

// Item i's plain text: the runs of rich text joined, phonetic guides left out, _xHHHH_ escapes
// decoded. Throws PackageError for malformed XML.
std::vector<std::string> readSharedStrings(std::string_view xml);

// The plain text of a string item (<si> or a cell's <is>), the scanner standing on its Start.
class XmlScanner;
std::string readStringItem(XmlScanner& scanner);

}  // namespace plovis::xlsx
