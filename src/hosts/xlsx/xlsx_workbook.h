#pragma once
// Workbook files (.xlsx). A workbook is read whole into the in-memory model; saving writes the
// package it came from back with only the changed cells rewritten, so that everything PLOVIS did
// not touch (other sheets, formulas, styles, column widths, merged cells, charts, defined names)
// stays as it was.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "hosts/memory_workbook.h"

namespace plovis {

namespace xlsx {
struct PackageLayout;
}

class XlsxWorkbook : public MemoryWorkbook {
  public:
    ~XlsxWorkbook() override;

    // Reads a workbook file. Throws HostError naming the file and the problem: no such file, not
    // a zip archive, not a workbook, encrypted, an old .xls workbook, damaged or malformed parts,
    // references beyond the sheet, or more than a workbook could hold (a zip bomb).
    static std::unique_ptr<XlsxWorkbook> open(const std::filesystem::path& file);
    // Reads a package held in memory; name is the workbook's name and is used in messages.
    static std::unique_ptr<XlsxWorkbook> read(std::string package, const std::string& name);
    // A new workbook with these sheets, the first one in front, not saved anywhere yet.
    static std::unique_ptr<XlsxWorkbook> create(const std::string& name,
                                                const std::vector<std::string>& sheetNames);

    // The file the workbook was read from or last saved to; empty for a new workbook.
    const std::filesystem::path& file() const { return file_; }

    // Saves into the file atomically: a temporary file beside it, flushed, renamed over it. The
    // workbook then belongs to that file (its name too) and counts as unmodified. Throws
    // HostError naming the file and the problem; the file is then as it was.
    void save(const std::filesystem::path& file);
    // The package as save() writes it. Throws HostError.
    std::string package();

  private:
    explicit XlsxWorkbook(std::string name);
    static std::unique_ptr<XlsxWorkbook> load(std::string package, const std::string& name,
                                              const std::string& shownAs);
    void takePackage(std::string package);
    std::string buildPackage();

    std::string package_;  // the package as read or last saved
    std::unique_ptr<xlsx::PackageLayout> layout_;
    std::vector<std::string> parts_;  // the part of each sheet the package has, in tab order
    // The XML of those parts as read: a save patches it without inflating it once more.
    std::vector<std::string> xml_;
    std::filesystem::path file_;
};

// The loader a MemorySpreadsheetHost opens .xlsx files with.
MemorySpreadsheetHost::Loader xlsxLoader();

}  // namespace plovis
