#include <gtest/gtest.h>

#include "hosts/xlsx/xlsx_workbook.h"
#include "package_support.h"
#include "support/failure_text.h"
#include "support/sheet_rows.h"

namespace plovis {
namespace {

using test::workbookParts;
using test::worksheetXml;
using test::zipOf;

using test::text;

TEST(XlsxReading, EveryKindOfCellValue) {
    const std::string shared =
        "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
        "<si><t>plain</t></si>"
        "<si><r><rPr><b/></rPr><t>rich </t></r><r><t xml:space=\"preserve\">text</t></r>"
        "<rPh sb=\"0\" eb=\"1\"><t>PHONETIC</t></rPh><phoneticPr fontId=\"1\"/></si>"
        "<si><t>two_x000D_lines</t></si></sst>";
    const std::string rows =
        "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" t=\"s\"><v>1</v></c>"
        "<c r=\"C1\" t=\"s\"><v>2</v></c><c r=\"D1\" "
        "t=\"inlineStr\"><is><t>in_x0001_line</t></is></c></row>"
        "<row r=\"2\"><c r=\"A2\"><v>12.5</v></c><c r=\"B2\" t=\"n\"><v>-1E-3</v></c>"
        "<c r=\"C2\" t=\"b\"><v>1</v></c><c r=\"D2\" t=\"b\"><v>0</v></c>"
        "<c r=\"E2\" t=\"e\"><v>#DIV/0!</v></c></row>"
        "<row r=\"3\"><c r=\"A3\"><f>A2*2</f><v>25</v></c><c r=\"B3\" "
        "t=\"str\"><f>\"a\"&amp;\"b\"</f>"
        "<v>ab</v></c><c r=\"C3\"><f>1+1</f></c><c r=\"D3\"><f>1+1</f><v></v></c>"
        "<c r=\"E3\" t=\"d\"><v>2024-03-15T06:00:00</v></c><c r=\"F3\" s=\"4\"/></row>"
        "<row><c><v>1</v></c><c><v>2</v></c><c r=\"E4\"><v>5</v></c><c><v>6</v></c></row>";
    auto wb = XlsxWorkbook::read(zipOf(workbookParts({{"Data", worksheetXml(rows)}}, shared)),
                                 "kinds.xlsx");
    const Worksheet& s = wb->sheet("Data");
    // (a control character in the spreadsheet's own escape, D1, is kept)
    EXPECT_EQ(test::rowText(s, 1, {1, 2, 3, 4}), "'plain' 'rich text' 'two\rlines' 'in\x01line'");
    EXPECT_EQ(test::rowText(s, 2, {1, 2, 3, 4, 5}), "12.5 -0.001 'TRUE' 'FALSE' '#DIV/0!'");
    EXPECT_EQ(s.cell(2, 2), CellValue(-0.001));
    // A3..F3: formulas with a value and without one (calculated on open), a date, a styled empty
    // cell.
    EXPECT_EQ(test::rowText(s, 3, {1, 2, 3, 4, 5, 6}), "25 'ab' 2 2 45366.25 -");
    // Row 4 and its first cells carry no reference: each follows the one before.
    EXPECT_EQ(test::rowText(s, 4, {1, 2, 3, 5, 6}), "1 2 - 5 6");
    EXPECT_FALSE(wb->modified());
}

TEST(XlsxReading, SheetsInTabOrderActiveTabSelectionAndCalculation) {
    const std::string view =
        "<sheetViews><sheetView workbookViewId=\"0\"><pane ySplit=\"2\" topLeftCell=\"A3\" "
        "activePane=\"bottomLeft\" state=\"frozen\"/><selection pane=\"topLeft\" sqref=\"A1\"/>"
        "<selection pane=\"bottomLeft\" activeCell=\"B16\" sqref=\"B16:B40 D2\"/></sheetView>"
        "<sheetView workbookViewId=\"1\"><selection sqref=\"Z9\"/></sheetView></sheetViews>";
    auto parts = workbookParts({{"DATA INPUT", worksheetXml("")},
                                {"PD-CW-Sample", worksheetXml("", view)},
                                {"Water Demand", worksheetXml("")}},
                               "", "<calcPr calcId=\"191029\" calcMode=\"manual\"/>");
    // A chart sheet between the worksheets: in the tabs, but holding no cells.
    parts["xl/workbook.xml"].replace(
        parts["xl/workbook.xml"].find("<sheets>"), 8,
        "<bookViews><workbookView activeTab=\"2\"/></bookViews><sheets>"
        "<sheet name=\"Chart1\" sheetId=\"9\" r:id=\"rIdC\"/>");
    parts["xl/_rels/workbook.xml.rels"].replace(
        parts["xl/_rels/workbook.xml.rels"].find("</Relationships>"), 16,
        "<Relationship Id=\"rIdC\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
        "relationships/chartsheet\" Target=\"chartsheets/sheet1.xml\"/></Relationships>");
    parts["xl/chartsheets/sheet1.xml"] = "<chartsheet/>";
    auto wb = XlsxWorkbook::read(zipOf(parts), "scheme.xlsx");
    ASSERT_EQ(wb->sheetCount(), 3);
    EXPECT_EQ(wb->sheetAt(0).name(), "DATA INPUT");
    EXPECT_EQ(wb->sheetAt(2).name(), "Water Demand");
    EXPECT_EQ(wb->activeSheet().name(), "PD-CW-Sample");  // tab 2 counts the chart sheet
    EXPECT_EQ(selectionAddressR1C1(*wb), "R16C2:R40C2");
    EXPECT_EQ(wb->calculation(), Calculation::Manual);
    EXPECT_EQ(wb->name(), "scheme.xlsx");
}

TEST(XlsxReading, ANamespacePrefixOnEveryElement) {
    const std::string sheet =
        "<x:worksheet xmlns:x=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
        "<x:sheetData><x:row r=\"2\"><x:c r=\"B2\" t=\"inlineStr\"><x:is><x:t>pre</x:t></x:is>"
        "</x:c><x:c r=\"C2\"><x:v>3</x:v></x:c></x:row></x:sheetData></x:worksheet>";
    auto wb = XlsxWorkbook::read(zipOf(workbookParts({{"S", sheet}})), "p.xlsx");
    EXPECT_EQ(wb->activeSheet().cell(2, 2), text("pre"));
    EXPECT_EQ(wb->activeSheet().cell(2, 3), CellValue(3.0));
    EXPECT_EQ(selectionAddressR1C1(*wb), "R1C1");  // no view recorded: A1
}

// A sheet is read when a routine first reaches it: one no routine reaches stops nothing and is
// saved as it was stored, and a formula on it still follows the cells it reads.
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

}  // namespace
}  // namespace plovis
