// Writes the two large workbooks the large-book benchmark reads, as a spreadsheet program saves
// them (texts in the shared string table), straight as XML, without holding the cells:
//   - DIR/wide.xlsx: a small sheet "Summary" and, in front, a sheet "Data" of ROWS rows x 10
//     columns (a long pipe design table);
//   - DIR/levels.xlsx: a level book "Levelsurvey" of ROWS rows, a branch every 1,000 rows.
//   plovis_make_big_books DIR [ROWS]
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "hosts/xlsx/zip_archive.h"

namespace {

constexpr const char* kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr const char* kRel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr const char* kSheetType =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml";

// The texts of a workbook, each once, numbered as the cells refer to them.
struct Strings {
    std::string xml;
    std::unordered_map<std::string, int> numbers;
    int add(const std::string& text) {
        const auto [at, fresh] = numbers.try_emplace(text, static_cast<int>(numbers.size()));
        if (fresh) xml += "<si><t>" + text + "</t></si>";
        return at->second;
    }
};

struct Sheet {
    std::string name;
    std::string xml;
};

void number(std::string& row, const char* column, int r, double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "<c r=\"%s%d\"><v>%.10g</v></c>", column, r, value);
    row += buffer;
}

void text(std::string& row, const char* column, int r, Strings& strings, const std::string& t) {
    row += "<c r=\"" + std::string(column) + std::to_string(r) + "\" t=\"s\"><v>" +
           std::to_string(strings.add(t)) + "</v></c>";
}

std::string sheetXml(const std::string& rows, const std::string& selection) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<worksheet xmlns=\"" +
           std::string(kMain) + "\"><sheetViews><sheetView workbookViewId=\"0\"><selection " +
           "activeCell=\"" + selection + "\" sqref=\"" + selection +
           "\"/></sheetView></sheetViews><sheetData>" + rows + "</sheetData></worksheet>";
}

std::string designTable(int rows, Strings& strings) {
    std::string xml;
    for (int r = 1; r <= rows; ++r) {
        std::string row = "<row r=\"" + std::to_string(r) + "\">";
        number(row, "A", r, r * 12.5);
        text(row, "B", r, strings, "N" + std::to_string(r));
        number(row, "C", r, 1500.0 - r * 0.0037);
        text(row, "D", r, strings, r % 3 ? "GI" : "HDPE");
        number(row, "E", r, 0.05 + (r % 7) * 0.0125);
        text(row, "F", r, strings, "Branch " + std::to_string(r / 1000 + 1));
        number(row, "G", r, r % 97);
        number(row, "H", r, 3.14159 * r / 1000.0);
        text(row, "I", r, strings, "PN10");
        number(row, "J", r, r);
        xml += row + "</row>";
    }
    return xml;
}

// Rows from 5: a header row (branch name in C, D empty) every 1,000 rows, then station rows
// with label, distance and the staff readings; the first station carries a start level.
std::string levelBook(int rows, Strings& strings) {
    std::string xml;
    for (int r = 5, station = 0; r < rows + 5; ++r) {
        std::string row = "<row r=\"" + std::to_string(r) + "\">";
        if ((r - 5) % 1000 == 0) {
            text(row, "C", r, strings, "Branch " + std::to_string((r - 5) / 1000 + 1));
            station = 0;
        } else {
            text(row, "C", r, strings, "S" + std::to_string(r));
            number(row, "D", r, station == 0 ? 0.0 : 20.0 + r % 13);
            // A change point every fifth station (foresight and backsight), intermediate sights
            // between, and a foresight to close the branch, so that its arithmetic check agrees.
            const bool last = (r - 4) % 1000 == 0 || r == rows + 4;
            if (station % 5 == 0 && !last) number(row, "F", r, 1.2 + (r % 17) * 0.05);
            if (station % 5 != 0 && !last) number(row, "G", r, 1.0 + (r % 11) * 0.1);
            if ((station % 5 == 0 && station > 0) || last) number(row, "H", r, 1.4 + (r % 7) * 0.1);
            if (station == 0) number(row, "M", r, 1761.5);
            ++station;
        }
        xml += row + "</row>";
    }
    return xml;
}

void writeBook(const std::filesystem::path& file, const std::vector<Sheet>& sheets,
               const Strings& strings) {
    plovis::xlsx::ZipWriter zip;
    std::string types =
        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/"
        "content-types\"><Default Extension=\"rels\" ContentType=\"application/"
        "vnd.openxmlformats-package.relationships+xml\"/><Default "
        "Extension=\"xml\" ContentType=\"application/xml\"/><Override "
        "PartName=\"/xl/workbook.xml\" ContentType=\"application/"
        "vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>";
    std::string book = "<workbook xmlns=\"" + std::string(kMain) + "\" xmlns:r=\"" + kRel +
                       "\"><bookViews><workbookView activeTab=\"0\"/></bookViews><sheets>";
    std::string rels =
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        const std::string n = std::to_string(i + 1);
        book +=
            "<sheet name=\"" + sheets[i].name + "\" sheetId=\"" + n + "\" r:id=\"rId" + n + "\"/>";
        rels += "<Relationship Id=\"rId" + n + "\" Type=\"" + kRel +
                "/worksheet\" Target=\"worksheets/sheet" + n + ".xml\"/>";
        types += "<Override PartName=\"/xl/worksheets/sheet" + n + ".xml\" ContentType=\"" +
                 kSheetType + "\"/>";
        zip.add("xl/worksheets/sheet" + n + ".xml", sheets[i].xml);
    }
    rels += "<Relationship Id=\"rIdS\" Type=\"" + std::string(kRel) +
            "/sharedStrings\" Target=\"sharedStrings.xml\"/></Relationships>";
    zip.add("xl/sharedStrings.xml", "<sst xmlns=\"" + std::string(kMain) + "\" uniqueCount=\"" +
                                        std::to_string(strings.numbers.size()) + "\">" +
                                        strings.xml + "</sst>");
    zip.add("[Content_Types].xml",
            types +
                "<Override PartName=\"/xl/sharedStrings.xml\" ContentType=\"application/"
                "vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml\"/></Types>");
    zip.add("_rels/.rels",
            "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/"
            "2006/relationships\"><Relationship Id=\"rId1\" Type=\"" +
                std::string(kRel) +
                "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>");
    zip.add("xl/workbook.xml", book + "</sheets></workbook>");
    zip.add("xl/_rels/workbook.xml.rels", rels);
    const std::string bytes = zip.finish();
    std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<long>(bytes.size()));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s DIR [ROWS]\n", argv[0]);
        return 64;
    }
    const std::filesystem::path dir = argv[1];
    const int rows = argc > 2 ? std::stoi(argv[2]) : 1'000'000;
    const auto start = std::chrono::steady_clock::now();
    try {
        Strings wide;
        const std::string data = sheetXml(designTable(rows, wide), "A1");
        std::string summary;
        number(summary, "B", 2, 42.0);
        const std::string summaryXml = sheetXml("<row r=\"2\">" + summary + "</row>", "B2");
        writeBook(dir / "wide.xlsx", {{"Data", data}, {"Summary", summaryXml}}, wide);
        Strings levels;
        writeBook(dir / "levels.xlsx", {{"Levelsurvey", sheetXml(levelBook(rows, levels), "C5")}},
                  levels);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("wrote %s/wide.xlsx and %s/levels.xlsx: %d rows in %.1f s\n", argv[1], argv[1],
                rows, seconds);
    return 0;
}
