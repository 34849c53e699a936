#pragma once
// The pipe design table read as a network: every section row with the hydraulics the workbook
// computed for it (flow, velocity, head loss, grade line, residual heads), grouped in branches at
// the title rows. The design check and the network export read the same rows.

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "hosts/spreadsheet.h"

namespace plovis {

// A cell of the table that cannot serve: text where a number is needed. Its text names the
// sheet, the cell and what the cell was to hold.
struct PipeTableError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// One section row. Levels and heads in metres, flows in litres a second.
struct PipeRow {
    int row = 0;     // sheet row
    int branch = 0;  // index into PipeTable::branches
    std::string from;
    std::string to;
    double length = 0;          // E: horizontal length
    double pipeLength = 0;      // F: pipe length (the head loss is taken over it)
    double flow = 0;            // G: design flow
    double startGround = 0;     // I: ground level at the start node
    double endGround = 0;       // J: ground level at the end node
    double staticLevel = 0;     // L: level of the static pressure line
    double staticPressure = 0;  // N: static head at the end node
    // P: the plastic pipe's class in kg/cm2 (it bears ten times that in metres of head); none
    // for a pipe without a class number (a galvanised iron pipe).
    std::optional<int> pipeClass;
    double velocity = 0;        // T, m/s
    double headLoss = 0;        // U
    double startResidual = 0;   // W: residual head at the start node
    double startHgl = 0;        // X: hydraulic grade level at the start node
    double endHgl = 0;          // Y: at the end node
    double endResidual = 0;     // AB: residual head at the end node
    double frictionFactor = 0;  // AG: Darcy friction factor
    double innerDiameter = 0;   // AI, mm
    double roughness = 0;       // AJ, m
    double reynolds = 0;        // AK
};

struct PipeTable {
    std::string sheet;
    std::vector<std::string> branches;  // titles, in table order
    std::vector<PipeRow> rows;          // section rows, in table order
};

// The sheet of the pipe design table, and the row its section list starts on.
inline constexpr const char* kPipeDesignSheet = "PD-CW-Sample";
inline constexpr int kFirstSectionListRow = 15;

// Reads rows firstRow..lastRow of the table whose row-number column (B in the scheme workbook) is
// markColumn; the other columns are counted from it. A row with the number column empty and a
// title beside it opens a branch; a row without number, title and end node is skipped. Rows
// before the first title belong to a branch named after their first start node. Throws
// PipeTableError for a number cell holding text.
PipeTable readPipeRows(const Worksheet& sheet, int firstRow, int lastRow, int markColumn);

// The whole table: from its first section list row down to the second blank row in a row.
PipeTable readWholePipeTable(const Worksheet& sheet);

}  // namespace plovis
