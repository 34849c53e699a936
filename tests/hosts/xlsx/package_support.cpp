#include "package_support.h"

#include <gtest/gtest.h>

#include "hosts/xlsx/zip_archive.h"
#include "support/run_command.h"
#include "support/test_paths.h"

namespace plovis::test {

std::string worksheetXml(const std::string& rows, const std::string& before) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
           "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">" +
           before + "<sheetData>" + rows + "</sheetData></worksheet>";
}

std::string sharedStringsXml(const std::vector<std::string>& items) {
    std::string xml =
        "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" count=\"" +
        std::to_string(items.size()) + "\">";
    for (const auto& i : items)
        xml += "<si><t>" + i + "</t></si>";
    return xml + "</sst>";
}

Parts workbookParts(const std::vector<std::pair<std::string, std::string>>& sheets,
                    const std::string& sharedStrings, const std::string& extra) {
    const std::string rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    Parts p;
    std::string types =
        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
        "<Default Extension=\"rels\" "
        "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
        "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
        "<Override PartName=\"/xl/workbook.xml\" ContentType=\"application/"
        "vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>";
    std::string book =
        "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
        "xmlns:r=\"" +
        rel + "\"><sheets>";
    std::string rels =
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        const std::string n = std::to_string(i + 1);
        book +=
            "<sheet name=\"" + sheets[i].first + "\" sheetId=\"" + n + "\" r:id=\"rId" + n + "\"/>";
        rels += "<Relationship Id=\"rId" + n + "\" Type=\"" + rel +
                "/worksheet\" Target=\"worksheets/sheet" + n + ".xml\"/>";
        types += "<Override PartName=\"/xl/worksheets/sheet" + n +
                 ".xml\" ContentType=\"application/"
                 "vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>";
        p["xl/worksheets/sheet" + n + ".xml"] = sheets[i].second;
    }
    if (!sharedStrings.empty()) {
        rels += "<Relationship Id=\"rIdS\" Type=\"" + rel +
                "/sharedStrings\" Target=\"sharedStrings.xml\"/>";
        p["xl/sharedStrings.xml"] = sharedStrings;
    }
    p["[Content_Types].xml"] = types + "</Types>";
    p["_rels/.rels"] =
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId1\" Type=\"" +
        rel +
        "/officeDocument\" Target=\"xl/workbook.xml\"/>"
        "</Relationships>";
    p["xl/workbook.xml"] = book + "</sheets>" + extra + "</workbook>";
    p["xl/_rels/workbook.xml.rels"] = rels + "</Relationships>";
    return p;
}

std::string zipOf(const Parts& parts) {
    xlsx::ZipWriter zip;
    // [Content_Types].xml first, as spreadsheet programs write it.
    if (parts.count("[Content_Types].xml"))
        zip.add("[Content_Types].xml", parts.at("[Content_Types].xml"));
    for (const auto& [name, content] : parts) {
        if (name != "[Content_Types].xml") zip.add(name, content);
    }
    return zip.finish();
}

Parts partsOf(const std::string& package) {
    xlsx::ZipReader zip(package);
    Parts p;
    for (std::uint64_t i = 0; i < zip.entryCount(); ++i)
        p[zip.name(i)] = zip.read(i);
    return p;
}

std::string oracle(const std::vector<std::string>& args) {
    std::vector<std::string> all{(sourceDir() / "tests/hosts/xlsx/openpyxl_oracle.py").string()};
    all.insert(all.end(), args.begin(), args.end());
    const CommandResult r = runProgram("/usr/bin/python3", all);
    EXPECT_EQ(r.status, 0) << args[0] << ": " << r.output << r.errors;
    return r.output;
}

}  // namespace plovis::test
