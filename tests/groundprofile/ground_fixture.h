#pragma once
// Ground profiles built in code: a branch of points, and the "Draw Ground Profile" dialog over a
// CAD host and a workbook whose "GroundProfile" sheet is filled row by row from row 4.

#include <string>
#include <vector>

#include "commands/ground_profile_dialog.h"
#include "doubles/recording_user_interface.h"
#include "groundprofile/ground_profile_layout.h"
#include "hosts/memory_cad_host.h"
#include "hosts/memory_workbook.h"
#include "hosts/scripted_cad_utility.h"
#include "support/sheet_rows.h"

namespace plovis::test {

// Branch "Main" whose points P1, P2, ... stand on rows 5, 6, ... of the sheet; levels 100 unless
// given.
inline GroundBranch branchOf(std::vector<double> chainages, std::vector<double> levels = {}) {
    GroundBranch b;
    b.name = "Main";
    b.chainages = std::move(chainages);
    b.levels = levels.empty() ? std::vector<double>(b.chainages.size(), 100.0) : std::move(levels);
    for (std::size_t i = 0; i < b.chainages.size(); ++i) {
        b.labels.push_back("P" + std::to_string(i + 1));
        b.rows.push_back(5 + static_cast<int>(i));
    }
    return b;
}

struct DialogFixture {
    ScriptedCadUtility utility;
    MemoryCadHost cad;
    MemorySpreadsheetHost spreadsheet;
    MemoryWorksheet* ground = nullptr;
    RecordingUserInterface ui;
    GroundProfileDialog dialog;
    int row = 4;

    explicit DialogFixture(bool cadRunning) : cad(utility, cadRunning) {
        auto wb = std::make_unique<MemoryWorkbook>("scheme.xlsx");
        ground = &wb->addSheet("GroundProfile");
        spreadsheet.add(std::move(wb));
    }
    void point(const std::string& label, double distance, double level) {
        loadRow(*ground, row++, 2, {label, distance, level});
    }
    // A header row, then points every `step` up to `to` at levels 100, 101, ... 104, 100, ...
    void branch(const std::string& name, double to, double step) {
        ground->load(row, 1, std::string("0+000"));
        ground->load(row++, 2, name);
        for (int i = 0; i * step <= to; ++i)
            point("P" + std::to_string(i + 1), i ? step : 0, 100.0 + i % 5);
    }
    // Branch "Main" of two points and a pick at the origin.
    void main() {
        branch("Main", 100, 100);
        utility.pickPoint({0, 0, 0});
    }
};

}  // namespace plovis::test
