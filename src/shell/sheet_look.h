#pragma once
// How a workbook file lays its sheets out for the eye: the number format of each cell, the
// column widths and the hidden columns. The in-memory workbook keeps values and formulas only;
// the workbook window reads this from the file to show the cells as spreadsheet programs do.
// Saving is untouched by it: the file keeps its styles and widths as they were.

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

namespace plovis {

struct ColumnLook {
    double width = -1;  // in characters of the default font; -1: the sheet's default
    bool hidden = false;
};

struct SheetLook {
    double defaultWidth = 8.43;         // characters
    std::map<int, ColumnLook> columns;  // by column number, from 1
    // The cell's style (an index into WorkbookLook::formats) by cellKey(row, column); cells of
    // style 0 are left out.
    std::unordered_map<std::uint64_t, std::uint32_t> styles;
    const ColumnLook* column(int number) const;
};

struct WorkbookLook {
    std::vector<std::string> formats;         // the number format code of each cell style
    std::map<std::string, SheetLook> sheets;  // by sheet name
    // The format code of a cell ("General" when it has none).
    std::string formatOf(const SheetLook& sheet, int row, int column) const;
};

// Reads the look of a workbook file. A file that cannot be read gives an empty look (the cells
// then show in the General form at the default width); the workbook itself reports the problem.
WorkbookLook readWorkbookLook(const std::filesystem::path& file);

}  // namespace plovis
