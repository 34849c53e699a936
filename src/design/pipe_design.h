#pragma once
// The pipe design table "PD-CW-Sample": the Darcy friction factor of every pipe row, and the
// check of its static pressure against the pipe class.

#include "design/design_context.h"

namespace plovis {

// Walks the pipe rows from row 16 down until two rows in a row have column B empty, showing
// "Processing iteration for data at row N.Please wait..." for every row examined. True when the
// pass ran to its end. False after a message: no workbook, no "PD-CW-Sample" sheet, or a row
// that failed ("Error occurred at the row number N" ...; the rows above keep what was written).
// Calculation is automatic again on every way out.
bool designPipes(DesignContext& ctx);

// Solves the friction factor of one row of the current worksheet ("PD-CW-Sample") into AG
// (0.01 first when AG reads as 0), then checks the pipe class when P is filled, ignoring any
// failure of that check. Throws when the row cannot be designed (a host failure, a diameter or
// Reynolds number of 0, no root of the equation).
void designPipeRow(DesignContext& ctx, int row);

}  // namespace plovis
