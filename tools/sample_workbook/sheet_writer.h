#pragma once
// Writing the sample's cells by address: texts, numbers and formulas whose value is computed here
// from the cells they refer to, as a spreadsheet program would calculate them.

#include <string>
#include <string_view>
#include <vector>

#include "hosts/memory_workbook.h"

namespace plovis::sample {

// One sheet, written row by row through cell addresses such as "E8".
class SheetWriter {
  public:
    explicit SheetWriter(MemoryWorksheet& sheet) : sheet_(sheet) {}

    MemoryWorksheet& sheet() { return sheet_; }
    void text(std::string_view cell, const std::string& value);
    void number(std::string_view cell, double value);
    // A row of texts from a column on ("A17", {"S.N.", "Community", ...}); empty texts are skipped.
    void texts(std::string_view firstCell, const std::vector<std::string>& values);
    // The number the cell holds (a formula's value, 0 for an empty cell). Throws
    // std::runtime_error for a text.
    double value(std::string_view cell) const;
    void formula(std::string_view cell, const std::string& formula, double value);

  private:
    MemoryWorksheet& sheet_;
};

// "E" and 8 -> "E8".
std::string cellAt(std::string_view column, int row);

}  // namespace plovis::sample
