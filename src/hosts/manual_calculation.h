#pragma once
// Recalculation of a workbook switched off for the length of a bulk write.

#include "hosts/spreadsheet.h"

namespace plovis {

// The workbook's recalculation switched off for a bulk write. restore() switches it back on where
// the routine says so; the destructor does it on every other way out.
class ManualCalculation {
  public:
    explicit ManualCalculation(Workbook& workbook);
    ~ManualCalculation();
    ManualCalculation(const ManualCalculation&) = delete;
    ManualCalculation& operator=(const ManualCalculation&) = delete;

    void restore();

  private:
    Workbook* workbook_;
};

}  // namespace plovis
