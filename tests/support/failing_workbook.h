#pragma once
// A workbook host that fails part-way through a bulk write, for the tests of what a routine leaves
// behind when the host gives up: it forwards to an in-memory workbook, and fails with HostError
// every cell write after a given number of them, or every write to given cells, or every read of
// a given row. It also records every change of the calculation mode, so tests can check that
// recalculation came back on.

#include <limits>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "hosts/memory_workbook.h"

namespace plovis::test {

// A command that turned calculation off for its bulk write and on again.
inline const std::vector<Calculation> kManualThenAutomatic{Calculation::Manual,
                                                           Calculation::Automatic};

class FailingWorkbook : public Workbook {
  public:
    explicit FailingWorkbook(MemoryWorkbook& inner) : inner_(inner) {}

    // The next n writes go through; every one after them fails.
    void failWritesAfter(int n) { failures_.writesLeft = n; }
    // Writes to this cell (of any sheet) fail; the others go through.
    void failCell(int row, int column) { failures_.cells.emplace(row, column); }
    // Reading any cell of this row (of any sheet) fails.
    void failReadsOfRow(int row) { failures_.unreadableRow = row; }
    const std::vector<Calculation>& calculationChanges() const { return calculationChanges_; }

    std::string name() const override { return inner_.name(); }
    int sheetCount() const override { return inner_.sheetCount(); }
    Worksheet& sheetAt(int index) override { return wrap(inner_.sheetAt(index)); }
    Worksheet& sheet(std::string_view name) override { return wrap(inner_.sheet(name)); }
    Worksheet& activeSheet() override { return wrap(inner_.activeSheet()); }
    void setActiveSheet(std::string_view name) override { inner_.setActiveSheet(name); }
    CellRange selection() const override { return inner_.selection(); }
    void setSelection(const CellRange& range) override { inner_.setSelection(range); }
    Calculation calculation() const override { return inner_.calculation(); }
    void setCalculation(Calculation mode) override {
        calculationChanges_.push_back(mode);
        inner_.setCalculation(mode);
    }
    bool modified() const override { return inner_.modified(); }

  private:
    struct Failures {
        int writesLeft = std::numeric_limits<int>::max();
        std::set<std::pair<int, int>> cells;
        int unreadableRow = 0;
    };

    class Sheet : public Worksheet {
      public:
        Sheet(Worksheet& inner, Failures& failures) : inner_(inner), failures_(failures) {}
        std::string name() const override { return inner_.name(); }
        CellValue cell(int row, int column) const override {
            if (row == failures_.unreadableRow) {
                throw HostError("the row " + std::to_string(row) + " cannot be read");
            }
            return inner_.cell(row, column);
        }
        void setCell(int row, int column, const CellValue& value) override {
            if (failures_.writesLeft <= 0 || failures_.cells.count({row, column})) {
                throw HostError("the cell at row " + std::to_string(row) + ", column " +
                                std::to_string(column) + " cannot be written");
            }
            --failures_.writesLeft;
            inner_.setCell(row, column, value);
        }
        void clearRange(std::string_view a1Range) override { inner_.clearRange(a1Range); }

      private:
        Worksheet& inner_;
        Failures& failures_;
    };

    Worksheet& wrap(Worksheet& inner) {
        auto& sheet = sheets_[&inner];
        if (!sheet) sheet = std::make_unique<Sheet>(inner, failures_);
        return *sheet;
    }

    MemoryWorkbook& inner_;
    Failures failures_;
    std::vector<Calculation> calculationChanges_;
    std::map<Worksheet*, std::unique_ptr<Sheet>> sheets_;
};

// A host whose workbook in front is the one given; with none, there is nothing to attach to.
class SingleWorkbookHost : public SpreadsheetHost {
  public:
    explicit SingleWorkbookHost(Workbook* workbook) : workbook_(workbook) {}
    Workbook& activeWorkbook() override {
        if (!workbook_) throw HostError("no workbook is open");
        return *workbook_;
    }
    void start() override {}
    void setVisible(bool) override {}
    Workbook& open(const std::filesystem::path& file) override {
        throw HostError("cannot open " + file.string());
    }

  private:
    Workbook* workbook_;
};

}  // namespace plovis::test
