#pragma once
// The shared string table of a workbook: the texts cells refer to by number.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace plovis::xlsx {

class XmlScanner;

// The table as read from its part: its items are found once and each item's text is taken out
// when a cell asks for it, so a table of a million texts costs little more than its XML.
class SharedStrings {
  public:
    SharedStrings() = default;
    // Finds the items. Throws PackageError for malformed XML.
    explicit SharedStrings(std::string xml);

    std::size_t size() const { return items_.size(); }
    // Item i's plain text: the runs of rich text joined, phonetic guides left out, _xHHHH_
    // escapes decoded. Throws TextProblem for text that cannot be kept (see text_check.h).
    std::string text(std::size_t i) const;

  private:
    std::string xml_;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> items_;  // where each <si> starts, ends
};

// The plain text of a string item (<si> or a cell's <is>), the scanner standing on its Start.
// Throws TextProblem for text that cannot be kept.
std::string readStringItem(XmlScanner& scanner);

}  // namespace plovis::xlsx
