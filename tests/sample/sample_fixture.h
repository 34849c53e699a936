#pragma once
// The sample scheme workbook shipped in data/ (or a copy), opened into a host of its own for each
// test (so the shipped file is never written), and the workbook's cells taken whole for
// comparisons.

#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "doubles/recording_user_interface.h"
#include "hosts/xlsx/xlsx_workbook.h"
#include "support/test_paths.h"

namespace plovis::test {

inline std::filesystem::path samplePath() {
    return sourceDir() / "data/Pipe_Design_Sample.xlsx";
}

// The row of "PD-CW-Sample" whose pipe class the sample leaves too low on purpose (its note in B9
// says so): the section T3-T4 of branch A, class 6 under a static pressure of 62.25 m.
inline constexpr int kLowClassRow = 28;

struct SampleFixture {
    MemorySpreadsheetHost host;
    XlsxWorkbook* workbook = nullptr;
    RecordingUserInterface ui;

    explicit SampleFixture(const std::filesystem::path& file = samplePath()) {
        auto owned = XlsxWorkbook::open(file);
        workbook = owned.get();
        host.add(std::move(owned));
    }
};

// Every value of every sheet: sheet name -> (row, column) -> value.
using WorkbookCells = std::map<std::string, std::map<std::pair<int, int>, CellValue>>;

WorkbookCells cellsOf(MemoryWorkbook& workbook);

// The cells that differ, as "Sheet!B7: 1 became 2", in sheet, row and column order.
std::vector<std::string> differences(const WorkbookCells& before, const WorkbookCells& after);

// The last row of the pipe design table: the last section row below row 15.
int lastDesignRow(Worksheet& design);

}  // namespace plovis::test
