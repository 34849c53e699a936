#pragma once
// Formulas evaluated in a small workbook, their results written as "n:4", "s:text", "b:TRUE" or
// "e:#DIV/0!" so that tables of cases compare them as text.

#include <string>

#include "hosts/memory_workbook.h"

namespace plovis::test {

std::string describe(MemoryWorksheet& sheet, int row, int column);

}  // namespace plovis::test
