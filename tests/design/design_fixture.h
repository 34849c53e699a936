#pragma once
// A scheme workbook in memory behind a host that can fail part-way, a recording user interface
// that also notes the calculation mode at every message box, and the design context over them.

#include <string>
#include <vector>

#include "design/design_context.h"
#include "doubles/recording_user_interface.h"
#include "support/failing_workbook.h"

namespace plovis::test {

class WatchingUserInterface : public RecordingUserInterface {
  public:
    explicit WatchingUserInterface(const Workbook& workbook) : workbook_(workbook) {}
    Answer showMessage(const Message& message) override {
        calculationAtMessages.push_back(workbook_.calculation());
        return RecordingUserInterface::showMessage(message);
    }
    std::vector<Calculation> calculationAtMessages;

  private:
    const Workbook& workbook_;
};

// The constants of "DATA INPUT" as the engineer types them (growth in percent).
struct DemandConstants {
    double growthPercent = 0;
    double yearsToBase = 0;
    double yearsToDesign = 0;
    double peakFactor = 0;
    double perCapitaDemand = 0;
    double perUnitDemand = 0;
    double minimumFlow = 0;
};

struct DesignFixture {
    MemoryWorkbook workbook{"scheme.xlsx"};
    FailingWorkbook failing{workbook};
    SingleWorkbookHost host{&failing};
    WatchingUserInterface ui{workbook};
    DesignContext ctx{host, ui};

    MemoryWorksheet& add(const std::string& name) { return workbook.addSheet(name); }
    MemoryWorksheet& sheet(const std::string& name) { return workbook.sheet(name); }

    MemoryWorksheet& addDataInput(const DemandConstants& c) {
        MemoryWorksheet& s = add("DATA INPUT");
        int row = 22;  // E22 down to E31; E28 to E30 are not demand constants
        for (double v : {c.growthPercent, c.yearsToBase, c.yearsToDesign, c.peakFactor,
                         c.perCapitaDemand, c.perUnitDemand, 0.0, 0.0, 0.0, c.minimumFlow})
            s.load(row++, 5, v);
        return s;
    }

    // The cells written or cleared in a sheet, as (row, column).
    std::vector<std::pair<int, int>> changed(const std::string& name) {
        const auto& cells = sheet(name).changedCells();
        return {cells.begin(), cells.end()};
    }
    // The rows of a sheet with a cell written or cleared, in order.
    std::vector<int> rowsWritten(const std::string& name) {
        std::vector<int> rows;
        for (auto [row, column] : changed(name)) {
            if (rows.empty() || rows.back() != row) rows.push_back(row);
        }
        return rows;
    }
};

}  // namespace plovis::test
