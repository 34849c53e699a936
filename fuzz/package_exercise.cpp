#include "fuzz/package_exercise.h"

#include <cstdio>
#include <cstdlib>
#include <map>

#include "hosts/xlsx/xlsx_workbook.h"
#include "hosts/xlsx/zip_archive.h"

namespace plovis::xlsx {
namespace {

const char* const kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const char* const kRel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

std::map<std::string, std::string> validParts() {
    const std::string rel = kRel;
    return {
        {"[Content_Types].xml",
         "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
         "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
         "<Override PartName=\"/xl/calcChain.xml\" ContentType=\"x\"/></Types>"},
        {"_rels/.rels",
         "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
         "<Relationship Id=\"rId1\" Type=\"" +
             rel +
             "/officeDocument\" Target=\"xl/workbook.xml\"/>"
             "</Relationships>"},
        {"xl/_rels/workbook.xml.rels",
         "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
         "<Relationship Id=\"rId1\" Type=\"" +
             rel +
             "/worksheet\" Target=\"worksheets/sheet1.xml\"/>"
             "<Relationship Id=\"rId2\" Type=\"" +
             rel +
             "/sharedStrings\" Target=\"sharedStrings.xml\"/>"
             "<Relationship Id=\"rId3\" Type=\"" +
             rel +
             "/calcChain\" Target=\"calcChain.xml\"/>"
             "</Relationships>"},
        {"xl/workbook.xml",
         std::string("<workbook xmlns=\"") + kMain + "\" xmlns:r=\"" + kRel +
             "\"><sheets>"
             "<sheet name=\"S\" sheetId=\"1\" r:id=\"rId1\"/></sheets><calcPr/></workbook>"},
        {"xl/worksheets/sheet1.xml",
         std::string("<worksheet xmlns=\"") + kMain +
             "\"><sheetData><row r=\"1\"><c r=\"A1\" "
             "t=\"s\"><v>0</v></c><c r=\"B1\"><f>A1</f><v>1</v></c></row></sheetData></worksheet>"},
        {"xl/sharedStrings.xml",
         std::string("<sst xmlns=\"") + kMain + "\"><si><t>a</t></si></sst>"},
        {"xl/calcChain.xml", std::string("<calcChain xmlns=\"") + kMain + "\"/>"},
    };
}

[[noreturn]] void writerFault(const char* what) {
    std::fprintf(stderr, "a package saved by PLOVIS does not read back: %s\n", what);
    std::abort();
}

}  // namespace

std::string packageFromInput(std::string_view input) {
    if (input.substr(0, 2) == "PK") return std::string(input);
    auto parts = validParts();
    const char* const replaced[] = {"xl/workbook.xml", "xl/worksheets/sheet1.xml",
                                    "xl/sharedStrings.xml"};
    std::size_t from = 0;
    for (const char* part : replaced) {
        if (from > input.size()) break;
        const std::size_t cut = input.find("\n--\n", from);
        parts[part] = std::string(input.substr(from, cut - from));
        from = cut == std::string_view::npos ? input.size() + 1 : cut + 4;
    }
    ZipWriter zip;
    for (auto& [name, content] : parts)
        zip.add(name, std::move(content));
    return zip.finish();
}

bool exercisePackage(const std::string& package) {
    std::unique_ptr<XlsxWorkbook> wb;
    std::string saved;
    try {
        wb = XlsxWorkbook::read(package, "fuzz.xlsx", XlsxWorkbook::Reading::EverySheet);
        if (wb->sheetCount() > 0) {
            MemoryWorksheet& s = wb->sheetAt(0);
            s.setCell(1, 1, std::string("fuzz & <cell>"));
            s.setCell(3, 2, 1.5);
            s.clearRange("B1:C2");
            s.setCell(1048576, 16384, -2.0);
        }
        wb->addSheet("Fuzz added").setCell(2, 2, 7.0);
        saved = wb->package();
    } catch (const HostError&) {
        return static_cast<bool>(wb);
    }
    std::unique_ptr<XlsxWorkbook> back;
    try {
        back = XlsxWorkbook::read(saved, "saved.xlsx", XlsxWorkbook::Reading::EverySheet);
    } catch (const HostError& e) {
        writerFault(e.what());
    }
    if (back->sheetCount() != wb->sheetCount()) writerFault("the number of sheets changed");
    if (back->sheet("Fuzz added").cell(2, 2) != CellValue(7.0)) writerFault("a new sheet's cell");
    if (wb->sheetCount() > 1) {
        const Worksheet& s = back->sheetAt(0);
        if (s.cell(1, 1) != CellValue(std::string("fuzz & <cell>")) ||
            s.cell(3, 2) != CellValue(1.5) || !isEmpty(s.cell(1, 2)) ||
            s.cell(1048576, 16384) != CellValue(-2.0)) {
            writerFault("a written cell");
        }
    }
    return true;
}

}  // namespace plovis::xlsx
