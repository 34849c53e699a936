#pragma once
// Workbook files (.xlsx). Opening reads the package's layout; a sheet's cells are read into the
// in-memory model when a routine first reaches the sheet, so a command costs the sheets it reads,
// not the whole workbook. Saving writes the package it came from back with only the changed cells
// rewritten, so that everything PLOVIS did not touch (sheets not read, formulas, styles, column
// widths, merged cells, charts, defined names) stays as it was, byte for byte.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "hosts/memory_workbook.h"

namespace plovis {

namespace xlsx {
struct PackageLayout;
class SharedStrings;
class ZipReader;
}  // namespace xlsx

class XlsxWorkbook : public MemoryWorkbook {
  public:
    ~XlsxWorkbook() override;

    // How much opening reads: the sheets when routines reach them (a command), or every sheet
    // at once (a window showing them all).
    enum class Reading { SheetsWhenReached, EverySheet };

    // Reads a workbook file. Throws HostError naming the file and the problem: no such file, not
    // a zip archive, not a workbook, encrypted, an old .xls workbook, damaged or malformed parts,
    // or more than a workbook could hold (a zip bomb). A sheet's own faults (malformed XML,
    // references beyond the sheet, text that is not UTF-8) are found when it is read: opening
    // reading every sheet throws HostError for them, a sheet reached later UnreadableSheet.
    static std::unique_ptr<XlsxWorkbook> open(const std::filesystem::path& file,
                                              Reading reading = Reading::SheetsWhenReached);
    // Reads a package held in memory; name is the workbook's name and is used in messages.
    static std::unique_ptr<XlsxWorkbook> read(std::string package, const std::string& name,
                                              Reading reading = Reading::SheetsWhenReached);
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
    // file: where the package came from, empty for one held in memory.
    static std::unique_ptr<XlsxWorkbook> load(std::string package, const std::string& name,
                                              const std::filesystem::path& file, Reading reading);
    void takePackage(std::string package);
    std::string buildPackage();
    void readSheet(int index, MemoryWorksheet& sheet) override;
    bool unreadSheetMayHoldFormulas(int index) override;
    const xlsx::SharedStrings& sharedStrings();
    std::string& sheetXml(int index);
    std::string shownName() const { return file_.empty() ? name() : file_.string(); }

    std::string package_;                   // the package as read or last saved
    std::unique_ptr<xlsx::ZipReader> zip_;  // over package_
    std::unique_ptr<xlsx::PackageLayout> layout_;
    std::vector<std::string> parts_;  // the part of each sheet the package has, in tab order
    // The XML of those parts, once inflated: a save patches it without inflating it once more.
    std::vector<std::string> xml_;
    std::vector<signed char> mayHoldFormulas_;      // per part: -1 not looked at yet
    std::unique_ptr<xlsx::SharedStrings> strings_;  // read when a sheet is first read
    std::filesystem::path file_;
};

// The loader a MemorySpreadsheetHost opens .xlsx files with.
MemorySpreadsheetHost::Loader xlsxLoader();

}  // namespace plovis
