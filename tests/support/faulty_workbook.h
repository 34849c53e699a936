#pragma once
// A workbook whose host fails on cue: a write refused after a number of writes, or a cell that
// cannot be read. It wraps an in-memory workbook, so a test can look at what was written before
// the failure.

#include <map>
#include <memory>

#include "hosts/memory_workbook.h"

namespace plovis::test {

struct HostFaults {
    int writesBeforeFailure = -1;  // setCell calls that succeed before one throws; -1: never fails
    int unreadableRow = 0;         // reading any cell of this row throws; 0: none
    int automaticWrites = 0;  // counts the writes and clears made while recalculation was automatic
};

class FaultyWorksheet : public Worksheet {
  public:
    FaultyWorksheet(MemoryWorksheet& inner, const Workbook& workbook, HostFaults& faults)
        : inner_(inner), workbook_(workbook), faults_(faults) {}
    std::string name() const override { return inner_.name(); }
    CellValue cell(int row, int column) const override;
    void setCell(int row, int column, const CellValue& value) override;
    void clearRange(std::string_view a1Range) override;

  private:
    MemoryWorksheet& inner_;
    const Workbook& workbook_;
    HostFaults& faults_;
};

class FaultyWorkbook : public Workbook {
  public:
    FaultyWorkbook(MemoryWorkbook& inner, HostFaults faults) : inner_(inner), faults_(faults) {}
    std::string name() const override { return inner_.name(); }
    int sheetCount() const override { return inner_.sheetCount(); }
    Worksheet& sheetAt(int index) override { return wrap(inner_.sheetAt(index)); }
    Worksheet& sheet(std::string_view name) override { return wrap(inner_.sheet(name)); }
    Worksheet& activeSheet() override { return wrap(inner_.activeSheet()); }
    void setActiveSheet(std::string_view name) override { inner_.setActiveSheet(name); }
    CellRange selection() const override { return inner_.selection(); }
    void setSelection(const CellRange& range) override { inner_.setSelection(range); }
    Calculation calculation() const override { return inner_.calculation(); }
    void setCalculation(Calculation mode) override { inner_.setCalculation(mode); }
    bool modified() const override { return inner_.modified(); }
    const HostFaults& faults() const { return faults_; }

  private:
    Worksheet& wrap(MemoryWorksheet& sheet);

    MemoryWorkbook& inner_;
    HostFaults faults_;
    std::map<const MemoryWorksheet*, std::unique_ptr<FaultyWorksheet>> wrapped_;
};

// A host whose only workbook is the one given.
class SingleWorkbookHost : public SpreadsheetHost {
  public:
    explicit SingleWorkbookHost(Workbook& workbook) : workbook_(workbook) {}
    Workbook& activeWorkbook() override { return workbook_; }
    void start() override {}
    void setVisible(bool) override {}
    Workbook& open(const std::filesystem::path&) override { return workbook_; }

  private:
    Workbook& workbook_;
};

}  // namespace plovis::test
