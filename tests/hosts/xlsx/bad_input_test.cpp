// Every kind of bad workbook file gives one message naming the file and the problem, and the file
// is left as it was.
#include <gtest/gtest.h>

#include <map>
#include <regex>

#include "hosts/xlsx/package_error.h"
#include "hosts/xlsx/xlsx_workbook.h"
#include "hosts/xlsx/zip_archive.h"
#include "package_support.h"
#include "support/failure_text.h"
#include "support/golden_table.h"
#include "support/test_paths.h"

namespace plovis {
namespace {

using test::Parts;
using test::workbookParts;
using test::worksheetXml;
using test::zipOf;

std::string validPackage() {
    return zipOf(
        workbookParts({{"Sheet1", worksheetXml("<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>")}}));
}

std::string withSheet(const std::string& rows, const std::string& shared = "") {
    return zipOf(workbookParts({{"Sheet1", worksheetXml(rows)}}, shared));
}

std::string compoundFile(bool encrypted) {
    std::string bytes("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    bytes.resize(512, '\0');
    if (encrypted) bytes += std::string("E\0n\0c\0r\0y\0p\0t\0e\0d\0P\0a\0c\0k\0a\0g\0e\0", 32);
    bytes.resize(2048, '\0');
    return bytes;
}

// The message opening the file gives, with the file's path shown as <file>.
std::string openFailure(const std::filesystem::path& file) {
    std::string m = test::failureText<HostError>(
        [&] { XlsxWorkbook::open(file, XlsxWorkbook::Reading::EverySheet); });
    const std::string path = "\"" + file.string() + "\"";
    if (const auto at = m.find(path); at != std::string::npos) m.replace(at, path.size(), "<file>");
    return m;
}

// Each kind of bad file by the name the table of messages gives it.
std::map<std::string, std::string> badFiles() {
    Parts word = workbookParts({});
    word["xl/workbook.xml"] = "<document/>";
    Parts missingSheet = workbookParts({{"A", worksheetXml("")}, {"B", worksheetXml("")}});
    missingSheet.erase("xl/worksheets/sheet2.xml");
    Parts badBook = workbookParts({});
    badBook["xl/workbook.xml"] = "<workbook><sheets></workbook>";
    std::string damaged = validPackage();
    damaged[damaged.find("PK\x01\x02") - 40] ^= 0x55;  // inside the last part's deflated data
    return {
        {"an empty file", ""},
        {"a text file", "Node,Chainage\nN1,0\n"},
        {"a zip of something else", zipOf({{"[Content_Types].xml", "<Types/>"}, {"a.txt", "x"}})},
        {"a plain zip", zipOf({{"readme.txt", "x"}})},
        {"a text document", zipOf(word)},
        {"an encrypted workbook", compoundFile(true)},
        {"an old .xls workbook", compoundFile(false)},
        {"a truncated package", validPackage().substr(0, 300)},
        {"a damaged part", damaged},
        {"malformed XML in a sheet", withSheet("<row r=\"1\"><c r=\"A1\"><v>1</c></row>")},
        {"malformed XML in the workbook part", zipOf(badBook)},
        {"a shared string that is not there",
         withSheet("<row r=\"3\"><c r=\"B3\" t=\"s\"><v>2</v></c></row>",
                   test::sharedStringsXml({"a", "b"}))},
        {"a cell beyond the last column",
         withSheet("<row r=\"1\"><c r=\"XFE1\"><v>1</v></c></row>")},
        {"a row beyond the last row", withSheet("<row r=\"1048577\"><c><v>1</v></c></row>")},
        {"rows out of order", withSheet("<row r=\"5\"><c r=\"A5\"><v>1</v></c></row><row "
                                        "r=\"2\"><c r=\"A2\"><v>1</v></c></row>")},
        {"a number that is not one", withSheet("<row r=\"1\"><c r=\"A1\"><v>12 m</v></c></row>")},
        {"a sheet whose part is missing", zipOf(missingSheet)},
        {"shared text that is not UTF-8",
         withSheet("<row r=\"3\"><c r=\"B3\" t=\"s\"><v>1</v></c></row>",
                   test::sharedStringsXml({"Ground", "Gr\xC3ound"}))},
        {"a control character in a cell",
         withSheet("<row r=\"3\"><c r=\"B3\" t=\"inlineStr\"><is><t>a&#1;b</t></is></c></row>")},
        {"a non-character in a cell",
         withSheet("<row r=\"3\"><c r=\"B3\" t=\"str\"><f>\"x\"</f><v>\xEF\xBF\xBF</v></c></row>")},
        {"a sheet name that is not UTF-8", zipOf(workbookParts({{"Gr\xFF", worksheetXml("")}}))},
        {"a zip bomb",
         withSheet("<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>" + std::string(8 << 20, ' '))}};
}

// The message of each bad file, the ratio of a zip bomb (it depends on the compressor) as "*";
// the file stays as it was.
TEST(BadWorkbookFiles, OneMessageNamingTheFileAndTheProblemAndTheFileUnchanged) {
    test::ScratchDir dir("bad-input");
    const auto files = badFiles();
    test::expectGoldenTable("hosts/xlsx", "bad_workbook_files", [&](const std::string& what) {
        const auto file = dir / "book.xlsx";
        test::writeBytes(file, files.at(what));
        const std::string message = openFailure(file);
        EXPECT_EQ(test::readBytes(file), files.at(what));
        return std::regex_replace(message, std::regex("inflate \\d+ times"), "inflate * times");
    });
}

TEST(BadWorkbookFiles, NoFileOrAFolder) {
    test::ScratchDir dir("bad-path");
    EXPECT_EQ(openFailure(dir / "missing.xlsx"), "cannot open <file>: there is no such file");
    EXPECT_EQ(openFailure(dir.path()), "cannot open <file>: it is a folder, not a file");
}

TEST(BadWorkbookFiles, TheInflatedTotalIsBounded) {
    const std::string package =
        zipOf({{"a.xml", std::string(3000, 'a')}, {"b.xml", std::string(3000, 'b')}});
    xlsx::ZipReader zip(package, {5000, 200, 4u << 20, 10});
    EXPECT_EQ(zip.read("a.xml").size(), 3000u);
    EXPECT_EQ(test::failureText<xlsx::PackageError>([&] { zip.read("b.xml"); }),
              "the part b.xml would inflate to 1 MB, beyond the 1 MB a workbook may hold in all (a "
              "zip bomb?)");
    EXPECT_THROW(xlsx::ZipReader(package, {5000, 200, 4u << 20, 1}), xlsx::PackageError);
}

}  // namespace
}  // namespace plovis
