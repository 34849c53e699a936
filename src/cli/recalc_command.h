#pragma once
// `plovis recalc WORKBOOK [--save-as OUT]`: recalculates every formula of a workbook and says
// what it could not compute.

#include <string>

#include "cli/cli.h"
#include "hosts/memory_workbook.h"

namespace plovis {

CliCommand recalcCommand();

// The report printed: formulas computed, those not computed (the first few with their reasons)
// and those in circular references.
std::string formatRecalculation(const RecalculationReport& report);

}  // namespace plovis
