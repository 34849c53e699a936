#pragma once
// Runs of equal values along a sheet: the static pressure line and the flow, pipe and soil rows of
// the data table are drawn once per run of sections holding the same value.

#include <functional>
#include <vector>

namespace plovis {

struct SheetRun {
    int startNode = 0;         // node where the run starts
    int endNode = 0;           // node where it ends
    int lastSection = 0;       // k: the run's last section (sheet row first + k)
    bool closedInPass = true;  // false for the final run added after the pass
};

// The runs over sections 0..M-1 of a sheet. A run closes after section k when `differs(k)` says
// the value of section k + 1 (the row after the sheet for the last one) is another. With
// `closeAtEnd`, a final run from the last run's end to node M follows when the last closed run
// did not end at nodeX[M] (compared by position, as drawn); it reports lastSection M - 1.
std::vector<SheetRun> sheetRuns(int sectionCount, const std::function<bool(int k)>& differs,
                                const std::vector<double>& nodeX, bool closeAtEnd);

}  // namespace plovis
