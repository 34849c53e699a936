#include <gtest/gtest.h>

#include "hosts/xlsx/xlsx_workbook.h"
#include "package_support.h"

namespace plovis {
namespace {

using test::sharedStringsXml;
using test::workbookParts;
using test::worksheetXml;
using test::zipOf;

CellValue text(const char* t) {
    return std::string(t);
}

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
        "t=\"inlineStr\"><is><t>inline</t></is></c></row>"
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
    Worksheet& s = wb->sheet("Data");
    EXPECT_EQ(s.cell(1, 1), text("plain"));
    EXPECT_EQ(s.cell(1, 2), text("rich text"));
    EXPECT_EQ(s.cell(1, 3), text("two\rlines"));
    EXPECT_EQ(s.cell(1, 4), text("inline"));
    EXPECT_EQ(s.cell(2, 1), CellValue(12.5));
    EXPECT_EQ(s.cell(2, 2), CellValue(-0.001));
    EXPECT_EQ(s.cell(2, 3), text("TRUE"));
    EXPECT_EQ(s.cell(2, 4), text("FALSE"));
    EXPECT_EQ(s.cell(2, 5), text("#DIV/0!"));
    EXPECT_EQ(s.cell(3, 1), CellValue(25.0));
    EXPECT_EQ(s.cell(3, 2), text("ab"));
    EXPECT_EQ(s.cell(3, 3), CellValue(2.0));  // a formula never calculated: calculated on open
    EXPECT_EQ(s.cell(3, 4), CellValue(2.0));
    EXPECT_EQ(s.cell(3, 5), CellValue(45366.25));
    EXPECT_TRUE(isEmpty(s.cell(3, 6)));
    // Row 4 and its first cells carry no reference: each follows the one before.
    EXPECT_EQ(s.cell(4, 1), CellValue(1.0));
    EXPECT_EQ(s.cell(4, 2), CellValue(2.0));
    EXPECT_EQ(s.cell(4, 5), CellValue(5.0));
    EXPECT_EQ(s.cell(4, 6), CellValue(6.0));
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

}  // namespace
}  // namespace plovis
