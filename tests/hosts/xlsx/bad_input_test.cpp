// Every kind of bad workbook file gives one message naming the file and the problem, and the file
// is left as it was.
#include <gtest/gtest.h>

#include "hosts/xlsx/package_error.h"
#include "hosts/xlsx/xlsx_workbook.h"
#include "hosts/xlsx/zip_archive.h"
#include "package_support.h"
#include "support/failure_text.h"
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
    std::string m = test::failureText<HostError>([&] { XlsxWorkbook::open(file); });
    const std::string path = "\"" + file.string() + "\"";
    if (const auto at = m.find(path); at != std::string::npos) m.replace(at, path.size(), "<file>");
    return m;
}

struct Case {
    const char* what;
    std::string bytes;
    std::string message;  // "*" stands for a number that depends on the compressor
};

bool matches(const std::string& text, const std::string& pattern) {
    const std::size_t star = pattern.find('*');
    if (star == std::string::npos) return text == pattern;
    const std::string tail = pattern.substr(star + 1);
    return text.size() > pattern.size() - 1 && text.compare(0, star, pattern, 0, star) == 0 &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0 &&
           text.find_first_not_of("0123456789", star) == text.size() - tail.size();
}

TEST(BadWorkbookFiles, OneMessageNamingTheFileAndTheProblemAndTheFileUnchanged) {
    Parts word = workbookParts({});
    word["xl/workbook.xml"] = "<document/>";
    Parts missingSheet = workbookParts({{"A", worksheetXml("")}, {"B", worksheetXml("")}});
    missingSheet.erase("xl/worksheets/sheet2.xml");
    std::string damaged = validPackage();
    damaged[damaged.find("PK\x01\x02") - 40] ^= 0x55;  // inside the last part's deflated data

    const std::vector<Case> cases = {
        {"an empty file", "", "cannot open <file>: the file is empty"},
        {"a text file", "Node,Chainage\nN1,0\n",
         "cannot open <file>: it is not a zip archive, so not an .xlsx workbook"},
        {"a zip of something else", zipOf({{"[Content_Types].xml", "<Types/>"}, {"a.txt", "x"}}),
         "cannot open <file>: it is a zip archive but not an .xlsx workbook (no workbook part)"},
        {"a plain zip", zipOf({{"readme.txt", "x"}}),
         "cannot open <file>: it is a zip archive but not an .xlsx workbook (no "
         "[Content_Types].xml)"},
        {"a text document", zipOf(word),
         "cannot open <file>: it is an office document but not a workbook (its main part "
         "xl/workbook.xml holds <document>)"},
        {"an encrypted workbook", compoundFile(true),
         "cannot open <file>: it is encrypted (protected by a password); save it without a "
         "password first"},
        {"an old .xls workbook", compoundFile(false),
         "cannot open <file>: it is an Excel 97-2003 workbook (.xls), not an .xlsx workbook; save "
         "it as .xlsx first"},
        {"a truncated package", validPackage().substr(0, 300),
         "cannot open <file>: it is not a zip archive, so not an .xlsx workbook"},
        {"a damaged part", damaged,
         "cannot open <file>: the part xl/worksheets/sheet1.xml is damaged (its data or checksum)"},
        {"malformed XML in a sheet", withSheet("<row r=\"1\"><c r=\"A1\"><v>1</c></row>"),
         "cannot open <file>: in the sheet \"Sheet1\" (xl/worksheets/sheet1.xml): not well-formed "
         "XML at line 2, column 114: </c> does not close the open element <v>"},
        {"malformed XML in the workbook part",
         [] {
             Parts p = workbookParts({});
             p["xl/workbook.xml"] = "<workbook><sheets></workbook>";
             return zipOf(p);
         }(),
         "cannot open <file>: the part xl/workbook.xml is not well-formed XML: Start-end tags "
         "mismatch at byte 20"},
        {"a shared string that is not there",
         withSheet("<row r=\"3\"><c r=\"B3\" t=\"s\"><v>2</v></c></row>",
                   test::sharedStringsXml({"a", "b"})),
         "cannot open <file>: in the sheet \"Sheet1\" (xl/worksheets/sheet1.xml): the cell B3 "
         "refers to shared string 2, but the workbook has 2"},
        {"a cell beyond the last column",
         withSheet("<row r=\"1\"><c r=\"XFE1\"><v>1</v></c></row>"),
         "cannot open <file>: in the sheet \"Sheet1\" (xl/worksheets/sheet1.xml): the cell "
         "reference XFE1 lies beyond the sheet's limits (XFD1048576)"},
        {"a row beyond the last row", withSheet("<row r=\"1048577\"><c><v>1</v></c></row>"),
         "cannot open <file>: in the sheet \"Sheet1\" (xl/worksheets/sheet1.xml): row 1048577 "
         "lies beyond the sheet's last row 1048576"},
        {"rows out of order",
         withSheet("<row r=\"5\"><c r=\"A5\"><v>1</v></c></row><row r=\"2\"><c "
                   "r=\"A2\"><v>1</v></c></row>"),
         "cannot open <file>: in the sheet \"Sheet1\" (xl/worksheets/sheet1.xml): row 2 is listed "
         "after row 5"},
        {"a number that is not one", withSheet("<row r=\"1\"><c r=\"A1\"><v>12 m</v></c></row>"),
         "cannot open <file>: in the sheet \"Sheet1\" (xl/worksheets/sheet1.xml): the cell A1 "
         "holds \"12 m\", which is not a number"},
        {"a sheet whose part is missing", zipOf(missingSheet),
         "cannot open <file>: the part xl/worksheets/sheet2.xml of the sheet \"B\" is missing"},
        {"a zip bomb",
         withSheet("<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>" + std::string(8 << 20, ' ')),
         "cannot open <file>: the part xl/worksheets/sheet1.xml would inflate * times its "
         "stored size, more than any workbook part (a zip bomb?)"}};
    test::ScratchDir dir("bad-input");
    for (const Case& c : cases) {
        const auto file = dir / "book.xlsx";
        test::writeBytes(file, c.bytes);
        const std::string message = openFailure(file);
        EXPECT_TRUE(matches(message, c.message)) << c.what << ": " << message;
        EXPECT_EQ(test::readBytes(file), c.bytes) << c.what;
    }
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
