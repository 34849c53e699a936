#pragma once
// The design range as the drawings read it: the selected rows of the pipe design table, column
// by column, and the selection they came from.

#include <array>
#include <vector>

#include "hosts/cell_value.h"

namespace plovis {

// The columns of the design range, counted from the selection's first column. Element i holds
// the value of sheet row firstRow + i; elements rowCount and rowCount + 1 stay empty (the empty
// element rowCount marks the end of the range).
struct DesignColumns {
    std::vector<CellValue> mark;          // +0  empty on a branch title row
    std::vector<CellValue> fromNode;      // +1  start node label; the title on a title row
    std::vector<CellValue> toNode;        // +2  end node label
    std::vector<CellValue> length;        // +3  horizontal section length, m
    std::vector<CellValue> flow;          // +5  design flow
    std::vector<CellValue> startGround;   // +7  ground level at the start node, m
    std::vector<CellValue> endGround;     // +8  ground level at the end node, m
    std::vector<CellValue> staticLevel;   // +10 level of the static pressure line, m
    std::vector<CellValue> hdpeDiameter;  // +13 plastic pipe diameter
    std::vector<CellValue> hdpeClass;     // +14 plastic pipe pressure class
    std::vector<CellValue> giDiameter;    // +16 galvanised iron pipe diameter; empty for plastic
    std::vector<CellValue> giClass;       // +17 galvanised iron pipe class (a text)
    std::vector<CellValue> startHgl;      // +22 hydraulic grade level at the start node, m
    std::vector<CellValue> endHgl;        // +23 hydraulic grade level at the end node, m
    std::vector<CellValue> soil;          // +24 soil or strata
    std::vector<CellValue> structure;     // +25 structure code at the end node

    // Sizes every column to rowCount + 2 empty elements.
    void allocate(int rowCount);
};

// The column offsets read from every selected row, in reading order.
inline constexpr std::array<int, 16> kDesignColumnOffsets = {0,  1,  2,  3,  5,  7,  8,  10,
                                                             13, 14, 16, 17, 22, 23, 24, 25};

// The selection's bounds as parsed from its R1C1 address (0 where the address gave none).
struct Selection {
    int firstRow = 0;
    int lastRow = 0;
    int firstCol = 0;
    int lastCol = 0;
};

// The rows read: the selection and its columns.
struct DesignTable {
    Selection selection;
    int rowCount = 0;
    DesignColumns columns;
};

}  // namespace plovis
