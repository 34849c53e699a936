#pragma once
// A scheme workbook in memory behind a host that can fail part-way, a recording user interface
// that also notes the calculation mode at every message box, and the design context over them.

#include <array>
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

struct DesignFixture {
    MemoryWorkbook workbook{"scheme.xlsx"};
    FailingWorkbook failing{workbook};
    SingleWorkbookHost host{&failing};
    WatchingUserInterface ui{workbook};
    DesignContext ctx{host, ui};

    MemoryWorksheet& add(const std::string& name) { return workbook.addSheet(name); }
    MemoryWorksheet& sheet(const std::string& name) { return workbook.sheet(name); }

    // "DATA INPUT" with the demand constants as the engineer types them: growth in percent, years
    // to base and to design, peak factor, per capita and per unit demand (E22 to E27), minimum
    // flow (E31).
    MemoryWorksheet& addDataInput(const std::array<double, 7>& c) {
        MemoryWorksheet& s = add("DATA INPUT");
        for (int i = 0; i < 7; ++i)
            s.load(i < 6 ? 22 + i : 31, 5, c[static_cast<std::size_t>(i)]);
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
