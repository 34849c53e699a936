// A sheet is read when a routine first reaches it: one no routine reaches stops nothing and is
// saved as it was stored, and a formula on it still follows the cells it reads.
#include <gtest/gtest.h>

#include "hosts/xlsx/xlsx_workbook.h"
#include "package_support.h"
#include "support/failure_text.h"

namespace plovis {
namespace {

using test::worksheetXml;

const std::string kBroken = worksheetXml("<row r=\"1\"><c r=\"A1\"><v>1</c></row>");

std::string threeSheets() {
    return test::zipOf(test::workbookParts(
        {{"Input", worksheetXml("<row r=\"1\"><c r=\"A1\"><v>2</v></c></row>")},
         {"Broken", kBroken},
         {"Calc",
          worksheetXml("<row r=\"1\"><c r=\"A1\"><f>Input!A1*10</f><v>20</v></c></row>")}}));
}

TEST(LazyReading, ASheetNotReachedStopsNothingAndIsSavedAsStored) {
    auto wb = XlsxWorkbook::read(threeSheets(), "lazy.xlsx");
    wb->sheet("Input").setCell(1, 1, 3.0);
    // Calc, never reached, holds a formula reading the cell written: the save recalculates it.
    test::Parts saved = test::partsOf(wb->package());
    EXPECT_EQ(saved["xl/worksheets/sheet2.xml"], kBroken);
    EXPECT_NE(saved["xl/worksheets/sheet3.xml"].find("<v>30</v>"), std::string::npos);
    EXPECT_EQ(wb->sheet("Calc").cell(1, 1), CellValue(30.0));
    EXPECT_EQ(test::failureText<UnreadableSheet>([&] { wb->sheet("Broken").cell(1, 1); }),
              "cannot open \"lazy.xlsx\": in the sheet \"Broken\" (xl/worksheets/sheet2.xml): not "
              "well-formed XML at line 2, column 114: </c> does not close the open element <v>");
}

// Text that is not UTF-8, or holds a character XML forbids, is refused naming its cell: it would
// otherwise be copied into the sheets PLOVIS writes.
TEST(LazyReading, TextThatCannotBeKeptIsRefusedNamingItsCell) {
    const std::string shared = test::sharedStringsXml({"Ground", "Gr\xC3ound"});
    const std::pair<std::string, std::string> cases[] = {
        {"<c r=\"B3\" t=\"s\"><v>1</v></c>",
         "the cell B3 holds text that is not UTF-8 (the byte 0xC3 after \"Gr\")"},
        {"<c r=\"B3\" t=\"inlineStr\"><is><t>a&#1;b</t></is></c>",
         "the cell B3 holds the character U+0001, which XML does not allow (after \"a\")"},
        {"<c r=\"B3\" t=\"str\"><f>\"x\"</f><v>\xEF\xBF\xBF</v></c>",
         "the cell B3 holds the character U+FFFF, which XML does not allow"},
        {"<c r=\"B3\" t=\"s\"><v>0</v></c><c r=\"C3\" t=\"inlineStr\"><is><t>a_x0001_</t></is></c>",
         "no failure"},  // a control character in the spreadsheet's own escape is kept
    };
    for (const auto& [cell, problem] : cases) {
        auto wb = XlsxWorkbook::read(
            test::zipOf(test::workbookParts(
                {{"GroundProfile", worksheetXml("<row r=\"3\">" + cell + "</row>")}}, shared)),
            "t.xlsx");
        const std::string prefix =
            "cannot open \"t.xlsx\": in the sheet \"GroundProfile\" (xl/worksheets/sheet1.xml): ";
        const std::string m =
            test::failureText<UnreadableSheet>([&] { wb->activeSheet().lastRow(); });
        EXPECT_EQ(m, problem == "no failure" ? problem : prefix + problem) << cell;
    }
    const auto named = test::zipOf(test::workbookParts({{"Gr\xFF", worksheetXml("")}}));
    EXPECT_EQ(test::failureText<HostError>([&] { XlsxWorkbook::read(named, "n.xlsx"); }),
              "cannot open \"n.xlsx\": the name of sheet 1 holds text that is not UTF-8 (the byte "
              "0xFF after \"Gr\")");
}

}  // namespace
}  // namespace plovis
