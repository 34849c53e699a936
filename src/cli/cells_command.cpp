#include "cli/cells_command.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <ostream>
#include <set>

#include "cli/workbook_command.h"
#include "hosts/xlsx/xlsx_workbook.h"

namespace plovis {
namespace {

constexpr const char* kDescription =
    "Prints the cells of a range: 'Sheet!A1:D20', or 'A1:D20' of the active sheet. Without a\n"
    "range, the whole used area of the active sheet. Rows and columns beyond the last one\n"
    "holding a value are left out; in a range of more than a million cells, so are the empty\n"
    "rows and columns between (the row numbers and column letters tell which). Numbers are printed "
    "in their general form, formulas as\n"
    "their calculated values (with --formulas, as their formulas).\n";

// Display width of UTF-8 text: one per character.
std::size_t width(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

// Line breaks inside a value would break the table's rows.
std::string oneLine(const std::string& text) {
    std::string out;
    for (char c : text)
        out += c == '\n' || c == '\r' || c == '\t' ? ' ' : c;
    return out;
}

void pad(std::string& line, const std::string& text, std::size_t columnWidth, bool right) {
    const std::string fill(columnWidth - width(text), ' ');
    line += right ? fill + text : text + fill;
}

std::string withoutTrailingBlanks(std::string line) {
    line.erase(line.find_last_not_of(' ') + 1);
    return line;
}

struct CellsArguments {
    std::string workbook;
    std::string range;
    bool tsv = false;
    bool formulas = false;
};

bool printCells(const CellsArguments& args, std::ostream& out) {
    auto workbook = XlsxWorkbook::open(args.workbook);
    CellRange range;
    if (!args.range.empty()) {
        selectRange(*workbook, args.range);
        range = workbook->selection();
    }
    const MemoryWorksheet& sheet = workbook->activeSheet();
    if (args.range.empty()) {
        range = {1, 1, std::max(sheet.lastRow(), 1), std::max(sheet.lastColumn(), 1)};
    }
    const PrintedRange cells = printedCells(sheet, range, args.formulas);
    out << (args.tsv ? formatCellTsv(cells) : formatCellTable(cells)) << std::flush;
    return true;
}

}  // namespace

// The rows and columns of the range that hold a value (a formula cell holds the value it was
// calculated to on opening).
void usedRowsAndColumns(const MemoryWorksheet& sheet, PrintedRange& p) {
    std::set<int> rows, columns;
    sheet.forEachStored(p.range, [&](int row, int column, const CellValue&) {
        rows.insert(row);
        columns.insert(column);
    });
    p.rowNumbers.assign(rows.begin(), rows.end());
    p.columnNumbers.assign(columns.begin(), columns.end());
}

PrintedRange printedCells(const MemoryWorksheet& sheet, const CellRange& range, bool formulas) {
    PrintedRange p;
    p.range = range;
    p.range.lastRow = std::min(range.lastRow, sheet.lastRow());
    p.range.lastColumn = std::min(range.lastColumn, sheet.lastColumn());
    if (p.range.lastRow < p.range.firstRow || p.range.lastColumn < p.range.firstColumn) return p;
    const double span = (p.range.lastRow - p.range.firstRow + 1.0) *
                        (p.range.lastColumn - p.range.firstColumn + 1.0);
    if (span > kMostPrintedCells) {
        usedRowsAndColumns(sheet, p);
    } else {
        for (int r = p.range.firstRow; r <= p.range.lastRow; ++r)
            p.rowNumbers.push_back(r);
        for (int c = p.range.firstColumn; c <= p.range.lastColumn; ++c)
            p.columnNumbers.push_back(c);
    }
    for (int r : p.rowNumbers) {
        auto& row = p.rows.emplace_back();
        for (int c : p.columnNumbers) {
            const CellValue v = sheet.cell(r, c);
            const auto formula = formulas ? sheet.formula(r, c) : std::nullopt;
            row.push_back(formula ? PrintedCell{"=" + *formula, false}
                                  : PrintedCell{cellText(v), isNumber(v)});
        }
    }
    return p;
}

std::string formatCellTable(const PrintedRange& cells) {
    if (cells.rows.empty()) return {};
    const std::size_t labelWidth = std::to_string(cells.rowNumbers.back()).size();
    std::vector<std::size_t> widths;
    for (std::size_t k = 0; k < cells.columnNumbers.size(); ++k) {
        std::size_t w = columnLetters(cells.columnNumbers[k]).size();
        for (const auto& row : cells.rows)
            w = std::max(w, width(oneLine(row[k].text)));
        widths.push_back(w);
    }
    std::string header(labelWidth, ' ');
    for (std::size_t k = 0; k < widths.size(); ++k) {
        header += "  ";
        pad(header, columnLetters(cells.columnNumbers[k]), widths[k], false);
    }
    std::string out = withoutTrailingBlanks(header) + "\n";
    for (std::size_t i = 0; i < cells.rows.size(); ++i) {
        std::string line;
        pad(line, std::to_string(cells.rowNumbers[i]), labelWidth, true);
        for (std::size_t k = 0; k < widths.size(); ++k) {
            line += "  ";
            const PrintedCell& cell = cells.rows[i][k];
            pad(line, oneLine(cell.text), widths[k], cell.number);
        }
        out += withoutTrailingBlanks(line) + "\n";
    }
    return out;
}

std::string formatCellTsv(const PrintedRange& cells) {
    std::string out;
    for (const auto& row : cells.rows) {
        for (std::size_t k = 0; k < row.size(); ++k) {
            if (k) out += '\t';
            for (char ch : row[k].text) {
                switch (ch) {
                    case '\t':
                        out += "\\t";
                        break;
                    case '\n':
                        out += "\\n";
                        break;
                    case '\r':
                        out += "\\r";
                        break;
                    case '\\':
                        out += "\\\\";
                        break;
                    default:
                        out += ch;
                }
            }
        }
        out += '\n';
    }
    return out;
}

CliCommand cellsCommand() {
    CliCommand command;
    command.name = "cells";
    command.summary = "Print a range of a workbook as a table";
    command.define = [](CLI::App& sub) -> CommandBody {
        auto args = std::make_shared<CellsArguments>();
        sub.footer(kDescription);
        sub.add_option("workbook", args->workbook, "The workbook file (.xlsx)")->required();
        sub.add_option("range", args->range, "The range, such as 'PD-CW-Sample!A1:D20'");
        sub.add_flag("--formulas", args->formulas, "Print formula cells as their formulas");
        sub.add_flag("--tsv", args->tsv,
                     "Print tab-separated values, without the column letters and row numbers");
        return [args](const ConsoleStreams& streams) {
            return runWithConsole(
                streams, ConsoleOptions{std::nullopt, true},
                [&](ConsoleUserInterface&) { return printCells(*args, streams.out); });
        };
    };
    return command;
}

}  // namespace plovis
