#pragma once
// The water demand of every demand row of the sheet "Water Demand": populations projected to the
// base and design horizons, daily demands, and the average, peak and design flows.

#include <cstdint>
#include <optional>
#include <vector>

#include "design/design_context.h"
#include "design/scheme_input.h"

namespace plovis {

// One demand block as read, one entry per row in row order.
struct DemandBlock {
    std::vector<std::int32_t> populations;  // F: census population, rounded whole
    std::vector<std::int32_t> unitCounts;   // J: counted units, rounded whole
    std::vector<double> fixedDemands;       // K: fixed demand added to the unit demand
    std::vector<double> otherDemands;       // M: other demand
};

// Reads the block that begins at row (the rows down to the first one with column B empty) into
// block, and hands back in row that first empty row. False after the message "Please open the
// correct data file that contains sheet named PD-CW-Sample" when the sheet is missing or a cell
// cannot be read.
bool readDemandBlock(DesignContext& ctx, DemandBlock& block, int& row);

// A number for one column of a row, or nothing: the cell is emptied.
struct CellWrite {
    int column = 0;
    std::optional<double> value;
};

// The row rule: what a demand row with census population pop, unit count units, fixed demand
// fixed and other demand other gets written, column by column in writing order. Column L is left
// out when it keeps its previous content. Throws ComputationError when the unit demand is beyond
// the 32-bit whole-number range or a population overflows.
std::vector<CellWrite> demandRowCells(const DemandInputs& in, std::int32_t pop, std::int32_t units,
                                      double fixed, double other);

// Computes every demand block from row 20 down. True after "Congratulation computation is
// successful"; false after a message (no workbook, no "DATA INPUT" or "Water Demand" sheet, a row
// that cannot be computed or written). Calculation is automatic again on every way out.
bool waterDemand(DesignContext& ctx);

}  // namespace plovis
