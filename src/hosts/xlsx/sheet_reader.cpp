#include "hosts/xlsx/sheet_reader.h"

#include <cstring>
#include <optional>
#include <unordered_map>

#include "hosts/xlsx/cell_values.h"
#include "hosts/xlsx/package_error.h"
#include "hosts/xlsx/shared_strings.h"
#include "hosts/xlsx/text_check.h"
#include "hosts/xlsx/xml_scanner.h"
#include "hosts/xlsx/xml_text.h"

namespace plovis::xlsx {
namespace {

using Token = XmlScanner::Token;

std::string cellName(int row, int column) {
    return columnLetters(column) + std::to_string(row);
}

// Where the cell reader stands: the last row and column read, for cells and rows that leave out
// their reference (they follow the one before).
struct Cursor {
    int row = 0;
    int column = 0;
};

void enterRow(XmlScanner& sc, Cursor& at) {
    int row = at.row + 1;
    if (const auto r = sc.attribute("r")) {
        std::string scratch;
        const std::string_view text = decodedText(*r, scratch);
        const ReferenceCheck check = parseRowNumber(text, row);
        if (check == ReferenceCheck::BeyondSheet) {
            throw PackageError("row " + std::string(text) + " lies beyond the sheet's last row " +
                               std::to_string(kMaxRows));
        }
        if (check != ReferenceCheck::Ok) {
            throw PackageError("\"" + std::string(text) + "\" is not a row number");
        }
    }
    if (row <= at.row) {
        throw PackageError("row " + std::to_string(row) + " is listed after row " +
                           std::to_string(at.row));
    }
    if (row > kMaxRows) {
        throw PackageError("a row lies beyond the sheet's last row " + std::to_string(kMaxRows));
    }
    at = {row, 0};
}

void enterCell(XmlScanner& sc, Cursor& at) {
    int row = at.row, column = at.column + 1;
    if (const auto r = sc.attribute("r")) {
        std::string scratch;
        const std::string_view text = decodedText(*r, scratch);
        const ReferenceCheck check = parseCellReference(text, row, column);
        if (check == ReferenceCheck::BeyondSheet) {
            throw PackageError("the cell reference " + std::string(text) +
                               " lies beyond the sheet's limits (XFD1048576)");
        }
        if (check != ReferenceCheck::Ok) {
            throw PackageError("\"" + std::string(text) + "\" is not a cell reference");
        }
        if (row != at.row) {
            throw PackageError("the cell " + std::string(text) + " is listed in row " +
                               std::to_string(at.row));
        }
    }
    if (column <= at.column) {
        throw PackageError("the cell " + cellName(row, column) + " is listed after " +
                           cellName(at.row, at.column));
    }
    if (column > kMaxColumns) {
        throw PackageError("a cell of row " + std::to_string(row) +
                           " lies beyond the sheet's last column XFD");
    }
    at.column = column;
}

CellValue typedValue(std::string_view type, std::string&& text, const SheetSource& src,
                     const Cursor& at) {
    const auto where = [&] { return "the cell " + cellName(at.row, at.column); };
    if (type.empty() || type == "n") {
        if (const auto number = parseStoredNumber(text)) return *number;
        throw PackageError(where() + " holds \"" + text.substr(0, 40) +
                           "\", which is not a number");
    }
    if (type == "s") {
        const auto index = parseStoredNumber(text);
        const auto& table = src.sharedStrings();
        if (!index || *index < 0 || *index >= static_cast<double>(table.size()) ||
            *index != static_cast<double>(static_cast<std::size_t>(*index))) {
            throw PackageError(where() + " refers to shared string " + text.substr(0, 20) +
                               ", but the workbook has " + std::to_string(table.size()));
        }
        return table.text(static_cast<std::size_t>(*index));
    }
    if (type == "b") {
        const std::string_view v = text;
        if (v == "1" || v == "true") return std::string("TRUE");
        if (v == "0" || v == "false") return std::string("FALSE");
        throw PackageError(where() + " holds \"" + text.substr(0, 40) +
                           "\", which is not TRUE or FALSE");
    }
    if (type == "d") {
        if (const auto serial = dateSerial(text, src.date1904)) return *serial;
        throw PackageError(where() + " holds \"" + text.substr(0, 40) + "\", which is not a date");
    }
    if (type == "str" || type == "e" || type == "inlineStr") return std::move(text);
    throw PackageError(where() + " has the unknown type \"" + std::string(type) + "\"");
}

// The first cell of each shared formula group, by the group's number (si).
using SharedGroups = std::unordered_map<std::string, std::pair<int, int>>;

// The formula of an <f> element: its own text (read into `text`, which is reused from cell to
// cell), the group it was filled from, or nothing (a group never started).
std::optional<StoredFormula> readFormula(XmlScanner& sc, const Cursor& at, SharedGroups& groups,
                                         std::string& text) {
    const auto type = sc.attribute("t");
    const auto si = sc.attribute("si");
    text.clear();
    const int level = sc.depth();
    for (Token t = sc.next(); !(t == Token::End && sc.depth() == level); t = sc.next()) {
        if (t == Token::Text && sc.depth() == level) sc.appendText(text);
    }
    if (type == "dataTable") return StoredFormula{"TABLE()", 0, 0, true};
    if (type == "shared" && text.empty()) {
        const auto g = si ? groups.find(std::string(*si)) : groups.end();
        if (g == groups.end()) return std::nullopt;
        return StoredFormula{{}, g->second.first, g->second.second};
    }
    if (text.empty()) return std::nullopt;
    if (type == "shared" && si) groups[std::string(*si)] = {at.row, at.column};
    return StoredFormula{text, 0, 0, type == "array"};
}

void readCell(XmlScanner& sc, const SheetSource& src, const Cursor& at, MemoryWorksheet& sheet,
              SharedGroups& groups, std::string& formulaText) {
    const std::string type(sc.attribute("t").value_or(""));
    std::string text;
    bool hasValue = false;
    std::optional<StoredFormula> formula;
    const int depth = sc.depth();
    for (Token t = sc.next(); !(t == Token::End && sc.depth() == depth); t = sc.next()) {
        if (t != Token::Start) continue;
        if (sc.name() == "v") {
            text = sc.readText();
            checkText(text);
            hasValue = true;
        } else if (sc.name() == "is") {
            text = readStringItem(sc);
            hasValue = true;
        } else if (sc.name() == "f") {
            formula = readFormula(sc, at, groups, formulaText);
            checkText(formulaText);
        } else {
            sc.skipElement();  // extensions
        }
    }
    // An empty (formatted) cell, or a formula never calculated (<v/> or no v at all).
    if (hasValue && !text.empty()) {
        if (type == "str" || type == "e") text = decodeCellTextEscapes(std::move(text));
        const CellKind kind = type == "b"   ? CellKind::Boolean
                              : type == "e" ? CellKind::Error
                                            : CellKind::Plain;
        sheet.load(at.row, at.column, typedValue(type, std::move(text), src, at), kind);
    }
    if (formula) sheet.loadFormula(at.row, at.column, *formula);
}

// A text that cannot be kept is told with its cell.
void readCheckedCell(XmlScanner& sc, const SheetSource& src, const Cursor& at,
                     MemoryWorksheet& sheet, SharedGroups& groups, std::string& formulaText) {
    try {
        readCell(sc, src, at, sheet, groups, formulaText);
    } catch (const TextProblem& e) {
        throw PackageError("the cell " + cellName(at.row, at.column) + " holds " + e.what());
    }
}

void readCells(XmlScanner& sc, const SheetSource& src, MemoryWorksheet& sheet) {
    Cursor at;
    SharedGroups groups;
    std::string formulaText;
    try {
        const int depth = sc.depth();
        for (Token t = sc.next(); !(t == Token::End && sc.depth() == depth); t = sc.next()) {
            if (t != Token::Start) continue;
            if (sc.depth() == depth + 1 && sc.name() == "row") {
                enterRow(sc, at);
            } else if (sc.depth() == depth + 2 && sc.name() == "c") {
                enterCell(sc, at);
                readCheckedCell(sc, src, at, sheet, groups, formulaText);
            }
        }
    } catch (const AddressError& e) {
        throw PackageError(e.what());
    }
}

// The selection of the first sheet view: the one in its active pane when the view is split.
CellRange readSelection(XmlScanner& sc) {
    const int depth = sc.depth();
    std::string activePane = "topLeft";
    std::string chosen;
    bool inFirstView = false, viewSeen = false;
    for (Token t = sc.next(); !(t == Token::End && sc.depth() == depth); t = sc.next()) {
        if (t == Token::End && sc.depth() == depth + 1) inFirstView = false;
        if (t != Token::Start) continue;
        if (sc.depth() == depth + 1 && sc.name() == "sheetView") {
            inFirstView = !viewSeen;
            viewSeen = true;
        } else if (inFirstView && sc.name() == "pane") {
            activePane = sc.attribute("activePane").value_or("topLeft");
        } else if (inFirstView && sc.name() == "selection") {
            const std::string pane(sc.attribute("pane").value_or("topLeft"));
            const std::string ref(
                sc.attribute("sqref").value_or(sc.attribute("activeCell").value_or("")));
            if (pane == activePane || chosen.empty()) chosen = ref;
        }
    }
    try {
        return parseA1(
            chosen.substr(0, chosen.find(' ')));  // the first area of a multiple selection
    } catch (const AddressError&) {
        return CellRange{};
    }
}

}  // namespace

CellRange readSheet(const SheetSource& src, MemoryWorksheet& sheet) {
    CellRange selection{};
    try {
        XmlScanner sc(src.xml);
        for (Token t = sc.next(); t != Token::Done; t = sc.next()) {
            if (t != Token::Start || sc.depth() > 2) continue;
            if (sc.depth() == 1 && sc.name() != "worksheet") {
                throw PackageError("it holds <" + std::string(sc.qualifiedName()) +
                                   ">, not a worksheet");
            }
            if (sc.name() == "sheetViews") {
                selection = readSelection(sc);
            } else if (sc.name() == "sheetData") {
                readCells(sc, src, sheet);
            } else if (sc.depth() == 2) {
                sc.skipElement();
            }
        }
    } catch (const PackageError& e) {
        throw PackageError("in the sheet \"" + sheet.name() + "\" (" + src.part + "): " + e.what());
    }
    return selection;
}

CellRange readSelectionFrom(std::string_view partStart) {
    try {
        XmlScanner sc(partStart);
        for (Token t = sc.next(); t != Token::Done; t = sc.next()) {
            if (t != Token::Start || sc.depth() != 2) continue;
            if (sc.name() == "sheetViews") return readSelection(sc);
            if (sc.name() == "sheetData") break;
            sc.skipElement();
        }
    } catch (const PackageError&) {
        // Cut short, or malformed: reading the sheet tells what is wrong.
    }
    return CellRange{};
}

bool mayHoldFormulas(std::string_view xml) {
    for (const char* p = xml.data(); p; ++p) {
        p = static_cast<const char*>(std::memchr(p, '<', xml.data() + xml.size() - p));
        if (!p) return false;
        // The name after "<", its prefix left out: "<f>", "<f t=...", "<x:f/>".
        const char* end = xml.data() + xml.size();
        const char* name = p + 1;
        const char* q = name;
        while (q < end && *q != '>' && *q != '/' && *q != ' ' && *q != '\t' && *q != '\n' &&
               *q != '\r') {
            if (*q == ':') name = q + 1;
            ++q;
        }
        if (q - name == 1 && *name == 'f') return true;
    }
    return false;
}

}  // namespace plovis::xlsx
