#include "hosts/xlsx/xlsx_workbook.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <map>
#include <new>
#include <set>

#include "common/file_io.h"
#include "hosts/xlsx/new_package.h"
#include "hosts/xlsx/package_edits.h"
#include "hosts/xlsx/package_error.h"
#include "hosts/xlsx/package_layout.h"
#include "hosts/xlsx/package_type.h"
#include "hosts/xlsx/raw_deflate.h"
#include "hosts/xlsx/shared_strings.h"
#include "hosts/xlsx/sheet_patcher.h"
#include "hosts/xlsx/sheet_reader.h"

namespace plovis {
namespace {

using xlsx::PackageError;

// A file larger than this is no workbook PLOVIS could hold in memory.
constexpr std::uintmax_t kMaxFileBytes = 1ull << 30;

std::string quoted(const std::string& name) {
    return "\"" + name + "\"";
}

// Workbooks saved by spreadsheet programs with a password, and old .xls workbooks, are compound
// files rather than zip packages.
void checkSignature(std::string_view bytes) {
    if (bytes.empty()) throw PackageError("the file is empty");
    if (bytes.substr(0, 8) != std::string_view("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8)) return;
    const std::string_view encrypted("E\0n\0c\0r\0y\0p\0t\0e\0d\0P\0a\0c\0k\0a\0g\0e\0", 32);
    if (bytes.find(encrypted) != std::string_view::npos) {
        throw PackageError(
            "it is encrypted (protected by a password); save it without a password first");
    }
    throw PackageError(
        "it is an Excel 97-2003 workbook (.xls), not an .xlsx workbook; save it as .xlsx first");
}

std::string readFile(const std::filesystem::path& file) {
    try {
        return readFileBounded(file, kMaxFileBytes);
    } catch (const FileReadError& e) {
        if (e.problem != FileReadError::Problem::TooLarge) throw PackageError(e.what());
        throw PackageError(std::string(e.what()) + ", more than a workbook PLOVIS can hold");
    }
}

// The cells written, and the formula cells whose value was recalculated, in row order, each edit
// read from the sheet when the patcher reaches it.
class SheetEdits : public xlsx::CellEdits {
  public:
    explicit SheetEdits(const MemoryWorksheet& sheet) : sheet_(sheet) {
        const CellSet& written = sheet.changedCells();
        const CellSet& calculated = sheet.recalculatedCells();
        // Mostly one of the two is empty: the other is walked as it is.
        only_ = calculated.empty() ? &written : written.empty() ? &calculated : nullptr;
        if (only_) return;
        cells_.reserve(written.size() + calculated.size());
        std::set_union(written.begin(), written.end(), calculated.begin(), calculated.end(),
                       std::back_inserter(cells_));
    }
    std::size_t size() const override { return only_ ? only_->size() : cells_.size(); }
    std::pair<int, int> cell(std::size_t i) const override {
        return only_ ? (*only_)[i] : cells_[i];
    }
    bool fills(std::size_t i) const override {
        const xlsx::CellEdit& e = edit(i);
        return !isEmpty(e.value) || !e.formula.empty();
    }
    const xlsx::CellEdit& edit(std::size_t i) const override {
        if (i == at_) return edit_;
        const auto [row, column] = cell(i);
        const CellValue* value = sheet_.stored(row, column);
        auto formula = sheet_.formula(row, column);
        edit_.row = row;
        edit_.column = column;
        edit_.value = value ? *value : CellValue{};
        edit_.kind = sheet_.kind(row, column);
        edit_.keepFormula = formula && !sheet_.formulaWritten(row, column) &&
                            !sheet_.changedCells().count({row, column});
        edit_.formula = formula ? std::move(*formula) : std::string();
        at_ = i;
        return edit_;
    }

  private:
    const MemoryWorksheet& sheet_;
    const CellSet* only_ = nullptr;
    std::vector<std::pair<int, int>> cells_;
    mutable xlsx::CellEdit edit_;
    mutable std::size_t at_ = SIZE_MAX;
};

bool saved(const MemoryWorksheet& sheet) {
    return sheet.changedCells().empty() && sheet.recalculatedCells().empty();
}

// The names as the workbook's sheets are numbered: chart sheets, which hold no cells, are left
// out of them.
std::vector<DefinedName> namesOf(const xlsx::PackageLayout& layout) {
    std::vector<int> index;
    int worksheets = 0;
    for (const auto& s : layout.sheets)
        index.push_back(s.worksheet ? worksheets++ : -1);
    std::vector<DefinedName> names;
    for (const auto& n : layout.names) {
        if (n.sheet >= 0 && index[n.sheet] < 0) continue;
        names.push_back({n.name, n.sheet >= 0 ? index[n.sheet] : -1, n.formula});
    }
    return names;
}

// The sheet's part patched, deflated as it is written.
xlsx::DeflatedPart patched(std::string_view xml, const MemoryWorksheet& sheet) {
    try {
        const SheetEdits edits(sheet);
        // Judged by what it becomes: a sheet added with a million cells starts out empty.
        xlsx::PartDeflater deflater(xlsx::patchedSizeEstimate(xml, edits) >= xlsx::kLargePart);
        xlsx::patchSheetInPieces(xml, edits,
                                 [&](std::string_view piece) { deflater.write(piece); });
        return deflater.finish();
    } catch (const PackageError& e) {
        throw PackageError("in the sheet " + quoted(sheet.name()) + ": " + e.what());
    }
}

}  // namespace

XlsxWorkbook::XlsxWorkbook(std::string name) : MemoryWorkbook(std::move(name)) {}
XlsxWorkbook::~XlsxWorkbook() = default;

void XlsxWorkbook::takePackage(std::string package) {
    zip_.reset();
    package_ = std::move(package);
    zip_ = std::make_unique<xlsx::ZipReader>(package_);
    layout_ = std::make_unique<xlsx::PackageLayout>(xlsx::readLayout(*zip_));
    parts_.clear();
    for (const auto& s : layout_->sheets) {
        if (s.worksheet) parts_.push_back(s.part);
    }
    xml_.assign(parts_.size(), std::string());
    mayHoldFormulas_.assign(parts_.size(), -1);
    strings_.reset();
}

const xlsx::SharedStrings& XlsxWorkbook::sharedStrings() {
    if (strings_) return *strings_;
    const std::string& part = layout_->sharedStringsPart;
    try {
        strings_ = std::make_unique<xlsx::SharedStrings>(part.empty() ? std::string("<sst/>")
                                                                      : zip_->read(part));
    } catch (const PackageError& e) {
        throw PackageError("in the shared strings (" + part + "): " + e.what());
    }
    return *strings_;
}

std::string& XlsxWorkbook::sheetXml(int index) {
    std::string& xml = xml_[static_cast<std::size_t>(index)];
    if (xml.empty()) xml = zip_->read(parts_[static_cast<std::size_t>(index)]);
    return xml;
}

void XlsxWorkbook::readSheet(int index, MemoryWorksheet& sheet) {
    const std::string& part = parts_[static_cast<std::size_t>(index)];
    try {
        xlsx::readSheet(
            {sheetXml(index), part,
             [this]() -> const xlsx::SharedStrings& { return sharedStrings(); }, layout_->date1904},
            sheet);
    } catch (const PackageError& e) {
        xml_[static_cast<std::size_t>(index)].clear();
        throw UnreadableSheet("cannot open " + quoted(shownName()) + ": " + e.what());
    } catch (const HostError& e) {
        xml_[static_cast<std::size_t>(index)].clear();
        throw UnreadableSheet("cannot open " + quoted(shownName()) + ": " + e.what());
    } catch (const std::bad_alloc&) {
        xml_[static_cast<std::size_t>(index)].clear();
        throw UnreadableSheet("cannot open " + quoted(shownName()) + ": the sheet " +
                              quoted(sheet.name()) + " needs more memory than there is");
    }
}

bool XlsxWorkbook::unreadSheetMayHoldFormulas(int index) {
    signed char& known = mayHoldFormulas_[static_cast<std::size_t>(index)];
    if (known < 0) {
        try {
            known = xlsx::mayHoldFormulas(sheetXml(index)) ? 1 : 0;
        } catch (const PackageError& e) {
            throw UnreadableSheet("cannot open " + quoted(shownName()) + ": " + e.what());
        }
        // A sheet of values only is read, if ever, when a formula reaches it.
        if (!known) xml_[static_cast<std::size_t>(index)] = std::string();
    }
    return known;
}

std::unique_ptr<XlsxWorkbook> XlsxWorkbook::load(std::string package, const std::string& name,
                                                 const std::filesystem::path& file,
                                                 Reading reading) {
    const std::string shownAs = file.empty() ? name : file.string();
    try {
        checkSignature(package);
        std::unique_ptr<XlsxWorkbook> wb(new XlsxWorkbook(name));
        wb->file_ = file;
        wb->takePackage(std::move(package));
        const xlsx::PackageLayout& layout = *wb->layout_;
        wb->setDefinedNames(namesOf(layout));
        for (int i = 0; i < static_cast<int>(layout.sheets.size()); ++i) {
            const xlsx::SheetEntry& entry = layout.sheets[i];
            if (!entry.worksheet) continue;
            wb->addUnreadSheet(entry.name);
            if (i != layout.activeTab && wb->sheetCount() != 1) continue;
            // The selection of the sheet in front, from the views before its cells.
            wb->setActiveIndex(wb->sheetCount() - 1);
            const std::string start =
                wb->zip_->readStart(*wb->zip_->find(entry.part), "sheetData", 16u << 20);
            wb->setSelection(xlsx::readSelectionFrom(start));
        }
        wb->setCalculation(layout.calculation);
        if (reading == Reading::EverySheet) wb->readAllSheets();
        return wb;
    } catch (const PackageError& e) {
        throw HostError("cannot open " + quoted(shownAs) + ": " + e.what());
    } catch (const HostError& e) {
        throw HostError("cannot open " + quoted(shownAs) + ": " + e.what());
    } catch (const UnreadableSheet& e) {
        throw HostError(e.what());
    } catch (const std::bad_alloc&) {
        throw HostError("cannot open " + quoted(shownAs) + ": it needs more memory than there is");
    }
}

std::unique_ptr<XlsxWorkbook> XlsxWorkbook::open(const std::filesystem::path& file,
                                                 Reading reading) {
    std::string bytes;
    try {
        bytes = readFile(file);
    } catch (const PackageError& e) {
        throw HostError("cannot open " + quoted(file.string()) + ": " + e.what());
    }
    return load(std::move(bytes), file.filename().string(), file, reading);
}

std::unique_ptr<XlsxWorkbook> XlsxWorkbook::read(std::string package, const std::string& name,
                                                 Reading reading) {
    return load(std::move(package), name, {}, reading);
}

std::unique_ptr<XlsxWorkbook> XlsxWorkbook::create(const std::string& name,
                                                   const std::vector<std::string>& sheetNames) {
    auto wb = read(xlsx::newWorkbookPackage(), name);
    for (const std::string& s : sheetNames)
        wb->addSheet(s);
    return wb;
}

std::string XlsxWorkbook::buildPackage() {
    if (calculation() == Calculation::Automatic) recalculate();
    xlsx::ZipReader zip(package_);
    const xlsx::PackageLayout& layout = *layout_;
    std::vector<std::string> addedNames;
    for (int i = static_cast<int>(parts_.size()); i < sheetCount(); ++i)
        addedNames.push_back(sheetAt(i).name());
    const auto added = xlsx::planNewSheets(addedNames, layout, zip);

    std::map<std::uint64_t, xlsx::DeflatedPart> replaced;  // entry index -> new content
    for (std::size_t i = 0; i < parts_.size(); ++i) {
        // A sheet never read is copied as it is stored.
        const MemoryWorksheet* sheet = sheetIfRead(static_cast<int>(i));
        if (!sheet || saved(*sheet)) continue;
        const std::uint64_t entry = *zip.find(parts_[i]);
        // Patched where it lies: the part of a long sheet is never copied whole.
        if (xml_[i].empty()) xml_[i] = zip.read(entry);
        replaced[entry] = patched(xml_[i], *sheet);
        xml_[i] = std::string();  // no longer needed: the part is saved patched and deflated
    }
    const std::uint64_t workbook = *zip.find(layout.workbookPart);
    replaced[workbook] = xlsx::deflatedPart(
        xlsx::editWorkbookPart(zip.read(workbook), layout, added, calculation()));
    const std::uint64_t types = *zip.find("[Content_Types].xml");
    replaced[types] = xlsx::deflatedPart(xlsx::editContentTypes(zip.read(types), layout, added));
    const std::string relsPart = xlsx::relationshipsPartOf(layout.workbookPart);
    const auto rels = zip.find(relsPart);
    std::string newRels;
    if (rels) {
        replaced[*rels] =
            xlsx::deflatedPart(xlsx::editWorkbookRelationships(zip.read(*rels), layout, added));
    } else if (!added.empty()) {
        newRels = xlsx::editWorkbookRelationships("", layout, added);
    }
    const auto calcChain =
        layout.calcChainPart.empty() ? std::nullopt : zip.find(layout.calcChainPart);

    xlsx::ZipWriter out;
    for (std::uint64_t i = 0; i < zip.entryCount(); ++i) {
        if (calcChain && i == *calcChain) continue;
        if (auto r = replaced.find(i); r != replaced.end()) {
            out.add(zip.name(i), std::move(r->second));
        } else {
            out.copy(zip, i);
        }
    }
    for (std::size_t k = 0; k < added.size(); ++k) {
        out.add(added[k].part,
                patched(xlsx::emptySheetXml(), sheetAt(static_cast<int>(parts_.size() + k))));
    }
    if (!newRels.empty()) out.add(relsPart, newRels);
    return out.finish();
}

std::string XlsxWorkbook::package() {
    try {
        return buildPackage();
    } catch (const PackageError& e) {
        throw HostError("cannot save " + quoted(name()) + ": " + e.what());
    }
}

void XlsxWorkbook::save(const std::filesystem::path& file) {
    try {
        xlsx::ZipReader zip(package_);
        xlsx::checkWorkbookKind(file, xlsx::holdsMacros(zip, *layout_));
        std::string bytes = buildPackage();
        writeFileAtomically(file, bytes);
        takePackage(std::move(bytes));
    } catch (const PackageError& e) {
        throw HostError("cannot save " + quoted(file.string()) + ": " + e.what());
    } catch (const FileWriteError& e) {
        throw HostError("cannot save " + quoted(file.string()) + ": " + e.what());
    }
    file_ = file;
    setName(file.filename().string());
    markSaved();
}

MemorySpreadsheetHost::Loader xlsxLoader() {
    return [](const std::filesystem::path& file) -> std::unique_ptr<MemoryWorkbook> {
        return XlsxWorkbook::open(file);
    };
}

}  // namespace plovis
