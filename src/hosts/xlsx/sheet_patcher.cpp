#include "hosts/xlsx/sheet_patcher.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <map>

#include "common/cell_address.h"
#include "hosts/formula/formula_shift.h"
#include "hosts/xlsx/cell_values.h"
#include "hosts/xlsx/package_error.h"
#include "hosts/xlsx/xml_characters.h"
#include "hosts/xlsx/xml_scanner.h"
#include "hosts/xlsx/xml_text.h"

namespace plovis::xlsx {
namespace {

using Token = XmlScanner::Token;

// Spreadsheet programs hold at most this many characters in a cell, and in a cell's formula.
constexpr std::size_t kMaxCellText = 32'767;
constexpr std::size_t kMaxFormula = 8'192;
// The patched part is written in pieces of about this size.
constexpr std::size_t kChunk = 4u << 20;

struct ColumnStyle {
    int first, last;
    std::string style;
};

// A shared formula group whose first cell was overwritten: its formula as written for that cell.
struct BrokenGroup {
    std::string formula;
    int row, column;
};

std::size_t codePoints(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

std::string cellOf(const CellEdit& e) {
    return columnLetters(e.column) + std::to_string(e.row);
}

// A cell's text or formula as a workbook can hold it: not too long, and well-formed for XML. In a
// text, control characters are written as escapes; in a formula nothing can stand for them.
void checkWritable(std::string_view text, std::size_t limit, const char* what, const CellEdit& e) {
    const std::string which = "the " + std::string(what) + " for cell " + cellOf(e);
    if (const auto bad = forbiddenInXml(text, what == std::string_view("text")))
        throw PackageError(which + " holds " + describe(*bad) + ", which a workbook cannot hold");
    if (codePoints(text) <= limit) return;
    throw PackageError(which + " is longer than the " + std::to_string(limit) +
                       " characters a cell can hold");
}

// Whether the edit leaves anything in the cell.
bool fills(const CellEdit& e) {
    return !isEmpty(e.value) || !e.formula.empty();
}

class SheetPatcher {
  public:
    SheetPatcher(std::string_view xml, const CellEdits& edits, const PieceWriter& write)
        : xml_(xml), sc_(xml), edits_(edits), write_(write) {
        out_.reserve(std::min(patchedSizeEstimate(xml, edits), kChunk + kChunk / 4));
    }

    void run();

  private:
    // Hands the written part on once it is a chunk long: a part of hundreds of megabytes is
    // never held whole.
    void settleChunk() {
        if (out_.size() < kChunk) return;
        write_(out_);
        out_.clear();
    }
    // A long stretch without edits (the rows before the first edited one) is handed on as it
    // lies in the part, not copied.
    void copyTo(std::size_t pos) {
        const std::string_view stretch = xml_.substr(copied_, pos - copied_);
        copied_ = pos;
        if (stretch.size() < kChunk) {
            out_.append(stretch);
            return;
        }
        write_(out_);
        out_.clear();
        write_(stretch);
    }
    void skipTo(std::size_t pos) { copied_ = pos; }
    // Turns the empty element just read (<row r="4"/>, its tag ending at tagEnd) into one holding
    // what fill() writes.
    template <typename Fill>
    void fillEmptyElement(const std::string& name, std::size_t tagEnd, Fill fill) {
        copyTo(tagEnd - 2);  // before "/>"
        out_ += '>';
        fill();
        out_ += "</" + name + ">";
        skipTo(tagEnd);
    }
    void dropAttribute(std::string_view name);
    bool editsLeftBefore(int row, int column) const {
        if (next_ >= edits_.size()) return false;
        const auto [r, c] = edits_.cell(next_);
        return r < row || (r == row && c < column);
    }

    void readColumns();
    void growDimension();
    void patchSheetData();
    void patchRow(int row);
    void replaceCell(int row, int column);
    void mendSharedFormula(int row, int column);
    void emitRowsBefore(int row);
    void emitCellsBefore(int row, int column);
    void emitCell(const CellEdit& edit, const std::string& attributes, bool keepEmpty);
    void emitFormulaCell(const CellEdit& edit, const std::string& attributes,
                         std::string_view keptFormula = {});
    void tag(std::string_view name, bool close = false);
    const std::string& newCellStyle(int column) const;

    std::string_view xml_;
    XmlScanner sc_;
    const CellEdits& edits_;
    std::size_t next_ = 0;  // the first edit not applied yet
    const PieceWriter& write_;
    std::string out_;         // written since the last piece handed on
    std::size_t copied_ = 0;  // xml_ is copied to out_ up to here
    std::string prefix_;      // the namespace prefix of the sheet's elements ("x:" or "")
    std::vector<ColumnStyle> columns_;
    std::string rowStyle_;  // the style of the row being patched, when the row is formatted
    std::map<std::string, BrokenGroup> broken_;
    bool sheetDataSeen_ = false;
};

void SheetPatcher::run() {
    for (Token t = sc_.next(); t != Token::Done; t = sc_.next()) {
        if (t != Token::Start) continue;
        if (sc_.depth() == 1) {
            if (sc_.name() != "worksheet") throw PackageError("the part is not a worksheet");
            const std::string_view q = sc_.qualifiedName();
            prefix_ = std::string(q.substr(0, q.size() - sc_.name().size()));
        } else if (sc_.depth() == 2 && sc_.name() == "cols") {
            readColumns();
        } else if (sc_.depth() == 2 && sc_.name() == "dimension") {
            growDimension();
        } else if (sc_.depth() == 2 && sc_.name() == "sheetData") {
            patchSheetData();
        }
    }
    if (!sheetDataSeen_) throw PackageError("the worksheet has no cell table (sheetData)");
    copyTo(xml_.size());
    write_(out_);
}

void SheetPatcher::readColumns() {
    const int depth = sc_.depth();
    for (Token t = sc_.next(); !(t == Token::End && sc_.depth() == depth); t = sc_.next()) {
        if (t != Token::Start || sc_.name() != "col") continue;
        const auto style = sc_.attribute("style");
        int first = 0, last = 0;
        std::string scratch;
        if (!style ||
            parseRowNumber(decodedText(sc_.attribute("min").value_or(""), scratch), first) !=
                ReferenceCheck::Ok ||
            parseRowNumber(decodedText(sc_.attribute("max").value_or(""), scratch), last) !=
                ReferenceCheck::Ok) {
            continue;
        }
        columns_.push_back({first, last, std::string(*style)});
    }
}

void SheetPatcher::growDimension() {
    const auto ref = sc_.attribute("ref");
    if (!ref) return;
    CellRange used;
    try {
        used = parseA1(*ref);
    } catch (const AddressError&) {
        return;  // a dimension spreadsheet programs would not write: left as it is
    }
    bool grown = false;
    for (std::size_t i = 0; i < edits_.size(); ++i) {
        const auto [row, column] = edits_.cell(i);
        if (used.contains(row, column) || !edits_.fills(i)) continue;
        used = {std::min(used.firstRow, row), std::min(used.firstColumn, column),
                std::max(used.lastRow, row), std::max(used.lastColumn, column)};
        grown = true;
    }
    if (!grown) return;
    copyTo(sc_.offsetOf(*ref));
    out_ += formatA1(used);
    skipTo(sc_.offsetOf(*ref) + ref->size());
}

void SheetPatcher::dropAttribute(std::string_view name) {
    for (const auto& a : sc_.attributes()) {
        if (a.name != name) continue;
        copyTo(sc_.offsetOf(a.name));
        skipTo(sc_.offsetOf(a.value) + a.value.size() + 1);  // past the closing quote
    }
}

void SheetPatcher::patchSheetData() {
    sheetDataSeen_ = true;
    const int depth = sc_.depth();
    const std::string name(sc_.qualifiedName());
    if (sc_.selfClosing()) {
        const std::size_t tagEnd = sc_.tokenEnd();
        sc_.next();
        if (next_ < edits_.size()) fillEmptyElement(name, tagEnd, [&] { emitRowsBefore(INT_MAX); });
        return;
    }
    int lastRow = 0;
    for (Token t = sc_.next(); !(t == Token::End && sc_.depth() == depth); t = sc_.next()) {
        if (t != Token::Start || sc_.depth() != depth + 1 || sc_.name() != "row") continue;
        int row = lastRow + 1;
        if (const auto r = sc_.attribute("r")) {
            std::string scratch;
            if (parseRowNumber(decodedText(*r, scratch), row) != ReferenceCheck::Ok) {
                throw PackageError("a row number is malformed");
            }
        }
        if (editsLeftBefore(row, 1)) {
            copyTo(sc_.tokenBegin());
            emitRowsBefore(row);
        }
        patchRow(row);
        lastRow = row;
        settleChunk();
    }
    copyTo(sc_.tokenBegin());
    emitRowsBefore(INT_MAX);
}

void SheetPatcher::patchRow(int row) {
    const bool edited = next_ < edits_.size() && edits_.cell(next_).first == row;
    if (!edited && broken_.empty()) {
        sc_.skipKnownElement();  // copied as it stands
        return;
    }
    const auto customFormat = sc_.attribute("customFormat");
    rowStyle_ = customFormat && (*customFormat == "1" || *customFormat == "true")
                    ? std::string(sc_.attribute("s").value_or(""))
                    : std::string();
    const int depth = sc_.depth();
    const std::string name(sc_.qualifiedName());
    const std::size_t tagEnd = sc_.tokenEnd();
    const bool empty = sc_.selfClosing();
    // The columns a row spans are a hint spreadsheet programs recompute; a stale one is dropped.
    if (edited) dropAttribute("spans");
    if (empty) {
        sc_.next();
        if (edited) fillEmptyElement(name, tagEnd, [&] { emitCellsBefore(row, INT_MAX); });
        return;
    }
    int lastColumn = 0;
    for (Token t = sc_.next(); !(t == Token::End && sc_.depth() == depth); t = sc_.next()) {
        if (t != Token::Start || sc_.depth() != depth + 1 || sc_.name() != "c") continue;
        int r = row, column = lastColumn + 1;
        if (const auto ref = sc_.attribute("r")) {
            std::string scratch;
            if (parseCellReference(decodedText(*ref, scratch), r, column) != ReferenceCheck::Ok) {
                throw PackageError("a cell reference is malformed");
            }
        }
        if (editsLeftBefore(row, column)) {
            copyTo(sc_.tokenBegin());
            emitCellsBefore(row, column);
        }
        if (next_ < edits_.size() && edits_.cell(next_) == std::pair(row, column)) {
            replaceCell(row, column);
        } else if (!broken_.empty()) {
            mendSharedFormula(row, column);
        } else {
            sc_.skipElement();
        }
        lastColumn = column;
    }
    if (editsLeftBefore(row, INT_MAX)) {
        copyTo(sc_.tokenBegin());
        emitCellsBefore(row, INT_MAX);
    }
}

void SheetPatcher::replaceCell(int row, int column) {
    const std::size_t begin = sc_.tokenBegin();
    std::string attributes;
    bool referenced = false;
    bool formatted = false;  // kept when emptied: it has a style, or its place rests on it
    for (const auto& a : sc_.attributes()) {
        const std::size_t colon = a.name.find(':');
        const std::string_view local =
            colon == std::string_view::npos ? a.name : a.name.substr(colon + 1);
        if (local == "t" || local == "cm" || local == "vm") continue;  // type and value metadata go
        referenced = referenced || local == "r";
        formatted = formatted || local != "r";
        attributes += " " + std::string(a.name) + "=\"";
        for (char ch : a.value)  // a value written in single quotes may hold a double one
            attributes += ch == '"' ? std::string("&quot;") : std::string(1, ch);
        attributes += '"';
    }
    if (!referenced) {
        // Cells without a reference take the place after the one before: this one stays.
        attributes = " r=\"" + columnLetters(column) + std::to_string(row) + "\"" + attributes;
        formatted = true;
    }
    const int depth = sc_.depth();
    const CellEdit& edit = edits_.edit(next_++);
    std::string_view kept;
    for (Token t = sc_.next(); !(t == Token::End && sc_.depth() == depth); t = sc_.next()) {
        if (t != Token::Start || sc_.depth() != depth + 1 || sc_.name() != "f") continue;
        const std::size_t fBegin = sc_.tokenBegin();
        const auto type = sc_.attribute("t");
        const auto si = sc_.attribute("si");
        const bool first = type && *type == "shared" && si && sc_.attribute("ref");
        const std::string group = si ? std::string(*si) : std::string();
        const std::string formula = sc_.readText();
        // A cell filled from a group whose first cell was overwritten gets its formula in full.
        const bool orphan = formula.empty() && broken_.count(group);
        if (edit.keepFormula && !orphan) {
            kept = xml_.substr(fBegin, sc_.tokenEnd() - fBegin);
        } else if (first && !formula.empty()) {
            broken_[group] = {formula, row, column};
        }
    }
    copyTo(begin);
    if (!kept.empty()) {
        emitFormulaCell(edit, attributes, kept);
    } else {
        emitCell(edit, attributes, formatted);
    }
    skipTo(sc_.tokenEnd());
}

void SheetPatcher::mendSharedFormula(int row, int column) {
    const int depth = sc_.depth();
    for (Token t = sc_.next(); !(t == Token::End && sc_.depth() == depth); t = sc_.next()) {
        if (t != Token::Start || sc_.depth() != depth + 1 || sc_.name() != "f") continue;
        const auto type = sc_.attribute("t");
        const auto si = sc_.attribute("si");
        const std::string name(sc_.qualifiedName());
        const std::size_t begin = sc_.tokenBegin();
        const std::string formula = sc_.readText();
        if (!type || *type != "shared" || !si || !formula.empty()) continue;
        const auto group = broken_.find(std::string(*si));
        if (group == broken_.end()) continue;
        const BrokenGroup& g = group->second;
        copyTo(begin);
        out_ += "<" + name + ">";
        appendEscaped(formula::shiftFormula(g.formula, row - g.row, column - g.column), out_);
        out_ += "</" + name + ">";
        skipTo(sc_.tokenEnd());
    }
}

void SheetPatcher::emitRowsBefore(int row) {
    while (next_ < edits_.size() && edits_.cell(next_).first < row) {
        const int r = edits_.cell(next_).first;
        std::size_t end = next_;
        bool any = false;
        for (; end < edits_.size() && edits_.cell(end).first == r; ++end)
            any = any || edits_.fills(end);
        if (!any) {
            next_ = end;  // emptying cells of a row that is not there: nothing to write
            continue;
        }
        rowStyle_.clear();
        out_ += "<" + prefix_ + "row r=\"" + std::to_string(r) + "\">";
        emitCellsBefore(r, INT_MAX);
        out_ += "</" + prefix_ + "row>";
        settleChunk();
    }
}

const std::string& SheetPatcher::newCellStyle(int column) const {
    static const std::string none;
    if (!rowStyle_.empty()) return rowStyle_;
    for (const auto& c : columns_) {
        if (column >= c.first && column <= c.last) return c.style;
    }
    return none;
}

void SheetPatcher::emitCellsBefore(int row, int column) {
    std::string attributes;
    while (editsLeftBefore(row, column)) {
        if (!edits_.fills(next_)) {
            ++next_;
            continue;
        }
        const CellEdit& e = edits_.edit(next_++);
        attributes.assign(" r=\"").append(columnLetters(e.column)).append(std::to_string(e.row));
        attributes += '"';
        const std::string& style = newCellStyle(e.column);
        if (!style.empty() && style != "0") attributes.append(" s=\"").append(style) += '"';
        emitCell(e, attributes, false);
    }
}

// Appends <name, or </name with close, to the output, the sheet's prefix included.
void SheetPatcher::tag(std::string_view name, bool close) {
    out_.append(close ? "</" : "<").append(prefix_).append(name);
}

void SheetPatcher::emitCell(const CellEdit& e, const std::string& attributes, bool keepEmpty) {
    if (!e.formula.empty()) {
        emitFormulaCell(e, attributes);
    } else if (const double* d = std::get_if<double>(&e.value)) {
        tag("c");
        out_.append(attributes);
        // A sheet cannot hold an infinite or undefined number: it holds the error it shows.
        if (!std::isfinite(*d)) out_.append(" t=\"e\"");
        out_ += '>';
        tag("v");
        out_.append(std::isfinite(*d) ? ">" + storedNumber(*d) : std::string(">#NUM!"));
        tag("v", true);
        out_ += '>';
        tag("c", true);
        out_ += '>';
    } else if (const std::string* s = std::get_if<std::string>(&e.value);
               s && e.kind != formula::CellKind::Plain) {
        tag("c");
        out_.append(attributes)
            .append(e.kind == formula::CellKind::Boolean ? " t=\"b\">" : " t=\"e\">");
        tag("v");
        out_ += '>';
        appendEscaped(e.kind == formula::CellKind::Boolean ? (*s == "TRUE" ? "1" : "0") : *s, out_);
        tag("v", true);
        out_ += '>';
        tag("c", true);
        out_ += '>';
    } else if (const std::string* s = std::get_if<std::string>(&e.value)) {
        checkWritable(*s, kMaxCellText, "text", e);
        // Blanks at either end, and line breaks, survive reading only where the text says so.
        const bool preserve = !s->empty() && (s->front() == ' ' || s->back() == ' ' ||
                                              s->find_first_of("\t\n\r") != std::string::npos);
        tag("c");
        out_.append(attributes).append(" t=\"inlineStr\">");
        tag("is");
        out_ += '>';
        tag("t");
        out_.append(preserve ? " xml:space=\"preserve\">" : ">");
        appendEscaped(encodeCellTextEscapes(*s), out_);
        tag("t", true);
        out_ += '>';
        tag("is", true);
        out_ += '>';
        tag("c", true);
        out_ += '>';
    } else if (keepEmpty) {
        tag("c");
        out_.append(attributes).append("/>");  // emptied, its formatting kept
    }
}

// <c ...><f>formula</f><v>value</v></c>: the value a number, a formula string (t="str") or, for
// a number a sheet cannot hold, the error it shows; no <v> for a formula never calculated.
void SheetPatcher::emitFormulaCell(const CellEdit& e, const std::string& attributes,
                                   std::string_view keptFormula) {
    checkWritable(e.formula, kMaxFormula, "formula", e);
    std::string type, value;
    if (const double* d = std::get_if<double>(&e.value)) {
        type = std::isfinite(*d) ? "" : "e";
        value = std::isfinite(*d) ? storedNumber(*d) : "#NUM!";
    } else if (const std::string* s = std::get_if<std::string>(&e.value)) {
        checkWritable(*s, kMaxCellText, "text", e);
        type = "str";
        value = encodeCellTextEscapes(*s);
        if (e.kind == formula::CellKind::Boolean) {
            type = "b";
            value = *s == "TRUE" ? "1" : "0";
        } else if (e.kind == formula::CellKind::Error) {
            type = "e";
            value = *s;
        }
    }
    tag("c");
    out_.append(attributes);
    if (!type.empty()) out_.append(" t=\"").append(type) += '"';
    out_ += '>';
    if (!keptFormula.empty()) {
        out_.append(keptFormula);
    } else {
        tag("f");
        out_ += '>';
        appendEscaped(e.formula, out_);
        tag("f", true);
        out_ += '>';
    }
    if (!isEmpty(e.value)) {
        tag("v");
        out_ += '>';
        appendEscaped(value, out_);
        tag("v", true);
        out_ += '>';
    }
    tag("c", true);
    out_ += '>';
}

}  // namespace

std::size_t patchedSizeEstimate(std::string_view xml, const CellEdits& edits) {
    constexpr std::size_t kBytesPerCell = 48;
    return xml.size() + edits.size() * kBytesPerCell;
}

void patchSheetInPieces(std::string_view xml, const CellEdits& edits, const PieceWriter& write) {
    SheetPatcher(xml, edits, write).run();
}

std::string patchSheet(std::string_view xml, const std::vector<CellEdit>& edits) {
    struct Listed : CellEdits {
        explicit Listed(const std::vector<CellEdit>& e) : edits(e) {}
        std::size_t size() const override { return edits.size(); }
        std::pair<int, int> cell(std::size_t i) const override {
            return {edits[i].row, edits[i].column};
        }
        bool fills(std::size_t i) const override { return xlsx::fills(edits[i]); }
        const CellEdit& edit(std::size_t i) const override { return edits[i]; }
        const std::vector<CellEdit>& edits;
    };
    std::string whole;
    patchSheetInPieces(xml, Listed(edits), [&](std::string_view piece) { whole += piece; });
    return whole;
}

std::string emptySheetXml() {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
           "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
           "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
           "<dimension ref=\"A1\"/><sheetViews><sheetView workbookViewId=\"0\"/></sheetViews>"
           "<sheetFormatPr defaultRowHeight=\"15\"/><sheetData/>"
           "<pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" "
           "footer=\"0.3\"/></worksheet>";
}

}  // namespace plovis::xlsx
