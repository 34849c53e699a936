#pragma once
// The design check as the terminal and the desktop show it: the limits and where they came from,
// a table of every section, and the problems with their row, node and chainage.

#include <string>

#include "check/design_check.h"

namespace plovis {

// The limits line: "Limits: velocity 0.3 to 3 m/s (default, default), ...".
std::string limitsText(const DesignLimits& limits);

// The table of sections, one line each, columns padded with blanks.
std::string sectionTable(const DesignCheck& check);

// One line a problem: "Row 28, node T4, chainage 1+402.50: static head ...".
std::string problemLine(const DesignProblem& problem);

// The whole report: a heading with the count of problems, the limits, the table and the
// problems (or that the design keeps every limit).
std::string checkReportText(const DesignCheck& check);

}  // namespace plovis
