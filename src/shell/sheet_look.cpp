#include "shell/sheet_look.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "common/cell_address.h"
#include "common/file_io.h"
#include "hosts/memory_workbook.h"
#include "hosts/xlsx/package_layout.h"
#include "hosts/xlsx/xml_scanner.h"
#include "hosts/xlsx/xml_text.h"
#include "shell/number_display.h"

namespace plovis {
namespace {

using xlsx::XmlScanner;

int number(std::optional<std::string_view> text, int fallback) {
    if (!text) return fallback;
    int value = fallback;
    std::from_chars(text->data(), text->data() + text->size(), value);
    return value;
}

double decimal(std::optional<std::string_view> text, double fallback) {
    if (!text) return fallback;
    try {
        return std::stod(std::string(*text));
    } catch (const std::exception&) {
        return fallback;
    }
}

bool truth(std::optional<std::string_view> text) {
    return text && (*text == "1" || *text == "true");
}

// styles.xml: the custom formats by id, then each cell style's format.
std::vector<std::string> readFormats(std::string_view xml) {
    std::map<int, std::string> custom;
    std::vector<std::string> formats;
    XmlScanner x(xml);
    bool inCellXfs = false;
    for (auto t = x.next(); t != XmlScanner::Token::Done; t = x.next()) {
        if (t == XmlScanner::Token::End && x.name() == "cellXfs") inCellXfs = false;
        if (t != XmlScanner::Token::Start) continue;
        if (x.name() == "numFmt") {
            std::string scratch;
            const auto code = x.attribute("formatCode");
            custom[number(x.attribute("numFmtId"), -1)] =
                std::string(xlsx::decodedText(code.value_or("General"), scratch));
        } else if (x.name() == "cellXfs") {
            inCellXfs = !x.selfClosing();
        } else if (x.name() == "xf" && inCellXfs) {
            const int id = number(x.attribute("numFmtId"), 0);
            const auto found = custom.find(id);
            formats.push_back(found != custom.end() ? found->second : builtinFormatCode(id));
        }
    }
    return formats;
}

void readColumn(const XmlScanner& x, SheetLook& look) {
    const int first = number(x.attribute("min"), 0);
    const int last = std::min(number(x.attribute("max"), first), first + 16384);
    ColumnLook c;
    if (truth(x.attribute("customWidth")) || x.attribute("width")) {
        c.width = decimal(x.attribute("width"), -1);
    }
    c.hidden = truth(x.attribute("hidden"));
    for (int col = std::max(first, 1); col <= last; ++col)
        look.columns[col] = c;
}

SheetLook readSheet(std::string_view xml) {
    SheetLook look;
    XmlScanner x(xml);
    int row = 0, column = 0;
    for (auto t = x.next(); t != XmlScanner::Token::Done; t = x.next()) {
        if (t != XmlScanner::Token::Start) continue;
        const std::string_view name = x.name();
        if (name == "sheetFormatPr") {
            look.defaultWidth = decimal(x.attribute("defaultColWidth"),
                                        decimal(x.attribute("baseColWidth"), 8) + 0.43);
        } else if (name == "col") {
            readColumn(x, look);
        } else if (name == "row") {
            row = number(x.attribute("r"), row + 1);
            column = 0;
        } else if (name == "c") {
            ++column;
            if (const auto r = x.attribute("r")) {
                const CellRange at = parseA1(*r);
                row = at.firstRow;
                column = at.firstColumn;
            }
            const int style = number(x.attribute("s"), 0);
            if (style > 0) look.styles[cellKey(row, column)] = static_cast<std::uint32_t>(style);
        }
    }
    return look;
}

}  // namespace

const ColumnLook* SheetLook::column(int number) const {
    const auto found = columns.find(number);
    return found == columns.end() ? nullptr : &found->second;
}

std::string WorkbookLook::formatOf(const SheetLook& sheet, int row, int column) const {
    const auto found = sheet.styles.find(cellKey(row, column));
    if (found == sheet.styles.end() || found->second >= formats.size()) return "General";
    return formats[found->second];
}

WorkbookLook readWorkbookLook(const std::filesystem::path& file) {
    WorkbookLook look;
    try {
        const std::string bytes = readFileBounded(file, 1ull << 30);
        xlsx::ZipReader zip(bytes);
        const xlsx::PackageLayout layout = xlsx::readLayout(zip);
        if (zip.find("xl/styles.xml")) look.formats = readFormats(zip.read("xl/styles.xml"));
        for (const xlsx::SheetEntry& sheet : layout.sheets) {
            if (sheet.worksheet) look.sheets[sheet.name] = readSheet(zip.read(sheet.part));
        }
    } catch (const std::exception&) {
        return {};  // the workbook reports what is wrong with the file
    }
    return look;
}

}  // namespace plovis
