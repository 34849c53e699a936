#pragma once
// Runs a survey routine against an in-memory workbook behind a host that fails on cue.

#include <vector>

#include "support/failing_workbook.h"

namespace plovis::test {

struct HostFaults {
    int writesBeforeFailure = -1;  // cell writes that go through before the host refuses; -1: all
    int unreadableRow = 0;         // reading this row fails; 0: none
};

struct FaultyRun {
    bool done = false;
    std::vector<Calculation> calculation;  // every change of the calculation mode, in order
};

inline const std::vector<Calculation> kManualThenAutomatic{Calculation::Manual,
                                                           Calculation::Automatic};

template <typename Routine>
FaultyRun runWithFaults(MemoryWorkbook& memory, HostFaults faults, Routine routine) {
    FailingWorkbook workbook(memory);
    if (faults.writesBeforeFailure >= 0) workbook.failWritesAfter(faults.writesBeforeFailure);
    if (faults.unreadableRow != 0) workbook.failReadsOfRow(faults.unreadableRow);
    SingleWorkbookHost host(&workbook);
    const bool done = routine(host);
    return {done, workbook.calculationChanges()};
}

}  // namespace plovis::test
