#include "hosts/xlsx/sheet_patcher.h"

#include <gtest/gtest.h>

#include <cmath>

#include "hosts/xlsx/package_error.h"

namespace plovis::xlsx {
namespace {

const std::string kOpen =
    "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">";

std::string sheet(const std::string& rows, const std::string& before = "") {
    return kOpen + before + "<sheetData>" + rows + "</sheetData></worksheet>";
}

CellEdit edit(int row, int column, CellValue value) {
    return {row, column, std::move(value)};
}

CellEdit formula(int row, int column, std::string text, CellValue value) {
    return {row, column, std::move(value), std::move(text)};
}

struct Case {
    const char* what;
    std::string rows;
    std::vector<CellEdit> edits;
    std::string expectedRows;
    std::string before = "", expectedBefore = "";  // what comes before the cell table
};

TEST(SheetPatcher, ChangesOnlyTheEditedCells) {
    const Case cases[] = {
        {"a number replaces a formula, the style stays",
         "<row r=\"2\"><c r=\"A2\"><v>2</v></c><c r=\"B2\" s=\"3\"><f>A2*2</f><v>4</v></c></row>",
         {edit(2, 2, 7.5)},
         "<row r=\"2\"><c r=\"A2\"><v>2</v></c><c r=\"B2\" s=\"3\"><v>7.5</v></c></row>"},
        {"a text becomes an inline string, escaped",
         "<row r=\"2\"><c r=\"B2\" s=\"1\" t=\"s\" cm=\"1\" vm=\"2\"><v>0</v></c></row>",
         {edit(2, 2, std::string("a & <b>\r"))},
         "<row r=\"2\"><c r=\"B2\" s=\"1\" t=\"inlineStr\"><is><t xml:space=\"preserve\">a &amp; "
         "&lt;b&gt;_x000D_</t></is></c></row>"},
        {"a new cell goes between its neighbours; the row's stale span goes",
         "<row r=\"2\" spans=\"1:3\"><c r=\"A2\"><v>1</v></c><c r=\"C2\"><v>3</v></c></row>",
         {edit(2, 2, 2.0)},
         "<row r=\"2\" ><c r=\"A2\"><v>1</v></c><c r=\"B2\"><v>2</v></c><c "
         "r=\"C2\"><v>3</v></c></row>"},
        {"new rows before, between and after the rows there",
         "<row r=\"2\"><c r=\"A2\"><v>1</v></c></row><row r=\"5\"><c r=\"A5\"><v>5</v></c></row>",
         {edit(1, 1, 0.5), edit(3, 2, 3.0), edit(4, 1, CellValue{}), edit(9, 1, 9.0)},
         "<row r=\"1\"><c r=\"A1\"><v>0.5</v></c></row><row r=\"2\"><c r=\"A2\"><v>1</v></c></row>"
         "<row r=\"3\"><c r=\"B3\"><v>3</v></c></row><row r=\"5\"><c r=\"A5\"><v>5</v></c></row>"
         "<row r=\"9\"><c r=\"A9\"><v>9</v></c></row>"},
        {"an emptied cell keeps its style, or goes",
         "<row r=\"2\"><c r=\"A2\" s=\"4\"><v>1</v></c><c r=\"B2\"><v>2</v></c></row>",
         {edit(2, 1, CellValue{}), edit(2, 2, CellValue{}), edit(2, 3, CellValue{})},
         "<row r=\"2\"><c r=\"A2\" s=\"4\"/></row>"},
        {"an empty row element takes its first cells",
         "<row r=\"4\" ht=\"20\" customHeight=\"1\"/>",
         {edit(4, 1, 1.0)},
         "<row r=\"4\" ht=\"20\" customHeight=\"1\"><c r=\"A4\"><v>1</v></c></row>"},
        {"new cells take the style of their formatted row, else of their column",
         "<row r=\"2\" s=\"7\" customFormat=\"1\"><c r=\"A2\"><v>1</v></c></row>",
         {edit(2, 2, 1.0), edit(3, 3, 2.0), edit(3, 4, 3.0)},
         "<row r=\"2\" s=\"7\" customFormat=\"1\"><c r=\"A2\"><v>1</v></c><c r=\"B2\" "
         "s=\"7\"><v>1</v>"
         "</c></row><row r=\"3\"><c r=\"C3\" s=\"5\"><v>2</v></c><c r=\"D3\"><v>3</v></c></row>",
         "<cols><col min=\"2\" max=\"3\" width=\"12\" style=\"5\" customWidth=\"1\"/></cols>",
         "<cols><col min=\"2\" max=\"3\" width=\"12\" style=\"5\" customWidth=\"1\"/></cols>"},
        {"a shared formula whose first cell is overwritten is written out in the others",
         "<row r=\"2\"><c r=\"B2\"><f t=\"shared\" ref=\"B2:B4\" "
         "si=\"0\">A2*$C$1</f><v>2</v></c></row>"
         "<row r=\"3\"><c r=\"B3\"><f t=\"shared\" si=\"0\"/><v>4</v></c></row>"
         "<row r=\"4\"><c r=\"B4\" s=\"2\"><f t=\"shared\" si=\"0\"/><v>6</v></c>"
         "<c r=\"C4\"><f t=\"shared\" si=\"1\"/><v>0</v></c></row>",
         {edit(2, 2, 10.0)},
         "<row r=\"2\"><c r=\"B2\"><v>10</v></c></row>"
         "<row r=\"3\"><c r=\"B3\"><f>A3*$C$1</f><v>4</v></c></row>"
         "<row r=\"4\"><c r=\"B4\" s=\"2\"><f>A4*$C$1</f><v>6</v></c>"
         "<c r=\"C4\"><f t=\"shared\" si=\"1\"/><v>0</v></c></row>"},
        {"the recorded used range grows to take in new cells",
         "",
         {edit(7, 5, 1.0), edit(8, 1, CellValue{})},
         "<row r=\"7\"><c r=\"E7\"><v>1</v></c></row>",
         "<dimension ref=\"A1:C3\"/>",
         "<dimension ref=\"A1:E7\"/>"},
        {"a number a sheet cannot hold is written as the error it shows",
         "",
         {edit(1, 1, std::nan(""))},
         "<row r=\"1\"><c r=\"A1\" t=\"e\"><v>#NUM!</v></c></row>"},
        {"a cell without reference keeps its place when emptied",
         "<row r=\"2\"><c><v>1</v></c><c><v>2</v></c></row>",
         {edit(2, 1, CellValue{})},
         "<row r=\"2\"><c r=\"A2\"/><c><v>2</v></c></row>"},
        {"a formula with its value: a number, a formula string, none, an error",
         "<row r=\"2\"><c r=\"B2\" s=\"3\" t=\"s\"><v>0</v></c></row>",
         {formula(2, 2, "I16-J16", 12.5),
          formula(2, 3, "IF(A1>0,\"up & on\",\"\")", std::string("up & on")),
          formula(3, 1, "A1*2", CellValue{}), formula(3, 2, "1/0*1E308*10", std::nan(""))},
         "<row r=\"2\"><c r=\"B2\" s=\"3\"><f>I16-J16</f><v>12.5</v></c><c r=\"C2\" "
         "t=\"str\"><f>IF(A1&gt;0,&quot;up &amp; on&quot;,&quot;&quot;)</f><v>up &amp; on</v>"
         "</c></row>"
         "<row r=\"3\"><c r=\"A3\"><f>A1*2</f></c><c r=\"B3\" t=\"e\"><f>1/0*1E308*10</f>"
         "<v>#NUM!</v></c></row>",
         "<dimension ref=\"A1\"/>",
         "<dimension ref=\"A1:C3\"/>"},
        {"a formula replaces a formula cell, keeping its style",
         "<row r=\"2\"><c r=\"B2\" s=\"3\" t=\"str\"><f>A2</f><v>x</v></c></row>",
         {formula(2, 2, "A2*2", 4.0)},
         "<row r=\"2\"><c r=\"B2\" s=\"3\"><f>A2*2</f><v>4</v></c></row>"}};
    for (const Case& c : cases) {
        EXPECT_EQ(patchSheet(sheet(c.rows, c.before), c.edits),
                  sheet(c.expectedRows, c.expectedBefore))
            << c.what;
    }
}

TEST(SheetPatcher, AnEmptyCellTableAndPrefixedElements) {
    EXPECT_EQ(patchSheet(kOpen + "<sheetData/></worksheet>",
                         {edit(1, 2, std::string("x")), edit(1, 3, std::string(" lead"))}),
              sheet("<row r=\"1\"><c r=\"B1\" t=\"inlineStr\"><is><t>x</t></is></c>"
                    "<c r=\"C1\" t=\"inlineStr\"><is><t xml:space=\"preserve\"> lead</t></is></c>"
                    "</row>"));
    const std::string prefixed =
        "<x:worksheet xmlns:x=\"m\"><x:sheetData><x:row r=\"1\"/>"
        "</x:sheetData></x:worksheet>";
    EXPECT_EQ(patchSheet(prefixed, {edit(1, 1, 1.0), edit(2, 1, 2.0)}),
              "<x:worksheet xmlns:x=\"m\"><x:sheetData><x:row r=\"1\"><x:c r=\"A1\"><x:v>1</x:v>"
              "</x:c></x:row><x:row r=\"2\"><x:c r=\"A2\"><x:v>2</x:v></x:c></x:row>"
              "</x:sheetData></x:worksheet>");
}

TEST(SheetPatcher, UntouchedBytesStayAsTheyWere) {
    const std::string odd = sheet(
        "\n  <row r='1' spans='1:2'>\n    <c r='A1' t='s'><v>0</v></c><!-- kept -->\n  </row>\n"
        "  <row r='2'><c r='A2'><v>1</v></c></row>\n",
        "<sheetViews><sheetView workbookViewId='0'/></sheetViews>");
    EXPECT_EQ(patchSheet(odd, {}), odd);
    const std::string patched = patchSheet(odd, {edit(2, 1, 5.0)});
    EXPECT_EQ(patched.substr(0, odd.find("<row r='2'>")), odd.substr(0, odd.find("<row r='2'>")));
}

TEST(SheetPatcher, RefusesWhatNoCellCanHoldOrNoWorksheetIs) {
    EXPECT_THROW(patchSheet(sheet(""), {edit(1, 1, std::string(32768, 'x'))}), PackageError);
    EXPECT_NO_THROW(patchSheet(sheet(""), {edit(1, 1, std::string(32767, 'x'))}));
    EXPECT_THROW(patchSheet(sheet(""), {formula(1, 1, "1+" + std::string(8191, '1'), 1.0)}),
                 PackageError);
    EXPECT_NO_THROW(patchSheet(sheet(""), {formula(1, 1, "+" + std::string(8191, '1'), 1.0)}));
    EXPECT_THROW(patchSheet(sheet(""), {formula(1, 1, "A2", std::string(32768, 'x'))}),
                 PackageError);
    EXPECT_THROW(patchSheet("<chartsheet/>", {edit(1, 1, 1.0)}), PackageError);
    EXPECT_THROW(patchSheet(kOpen + "</worksheet>", {edit(1, 1, 1.0)}), PackageError);
}

}  // namespace
}  // namespace plovis::xlsx
