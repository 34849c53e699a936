#pragma once
// `plovis cells WORKBOOK ['Sheet!A1:D20'] [--tsv] [--formulas]`: prints a range of a workbook as a
// table.

#include <string>
#include <vector>

#include "cli/cli.h"
#include "hosts/memory_workbook.h"

namespace plovis {

CliCommand cellsCommand();

struct PrintedCell {
    std::string text;  // a number in its general form
    bool number = false;
};

struct PrintedRange {
    CellRange range;  // the range asked for, cut down to the sheet's last row and column in use
    // The rows and columns printed: all of the range, or only those holding a value when the
    // range spans more than kMostPrintedCells (one stray value in XFD1048576 would otherwise
    // print seventeen billion empty cells).
    std::vector<int> rowNumbers;
    std::vector<int> columnNumbers;
    std::vector<std::vector<PrintedCell>> rows;  // empty when nothing of the range is in use
};

inline constexpr double kMostPrintedCells = 1'000'000;

// The values of the range; with formulas, the formula cells as their formulas ("=I16-J16").
PrintedRange printedCells(const MemoryWorksheet& sheet, const CellRange& range,
                          bool formulas = false);

// An aligned table headed by the column letters, each row led by its number; numbers aligned
// right, texts left.
std::string formatCellTable(const PrintedRange& cells);

// Tab-separated lines, one per row; tabs, line breaks and backslashes inside values written as
// \t, \n, \r and \\.
std::string formatCellTsv(const PrintedRange& cells);

}  // namespace plovis
