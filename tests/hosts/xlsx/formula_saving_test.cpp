// Formulas of a file recalculated and saved: shared formulas and defined names are followed, each
// recalculated cell keeps its <f> element with the new value and type, and the calculation mode
// the workbook ends in is the one saved.
#include <gtest/gtest.h>

#include "hosts/manual_calculation.h"
#include "hosts/xlsx/xlsx_workbook.h"
#include "package_support.h"
#include "support/test_paths.h"

namespace plovis {
namespace {

using test::partsOf;
using test::workbookParts;
using test::worksheetXml;
using test::zipOf;

// A1:A3 1 2 3, D1 10 (the name Rate); B1:B3 one shared formula A1*Rate; C1 a boolean B3>25.
std::string scheme(const std::string& calcPr) {
    return zipOf(workbookParts(
        {{"Data",
          worksheetXml(
              "<row r=\"1\"><c r=\"A1\"><v>1</v></c><c r=\"B1\"><f t=\"shared\" ref=\"B1:B3\" "
              "si=\"0\">A1*Rate</f><v>10</v></c><c r=\"C1\" t=\"b\"><f>B3&gt;25</f><v>1</v></c>"
              "<c r=\"D1\"><v>10</v></c></row>"
              "<row r=\"2\"><c r=\"A2\"><v>2</v></c><c r=\"B2\"><f t=\"shared\" si=\"0\"/>"
              "<v>20</v></c></row>"
              "<row r=\"3\"><c r=\"A3\"><v>3</v></c><c r=\"B3\"><f t=\"shared\" si=\"0\"/>"
              "<v>30</v></c></row>")}},
        "",
        "<definedNames><definedName name=\"Rate\">Data!$D$1</definedName></definedNames>" +
            calcPr));
}

TEST(FormulaSaving, RecalculatedCellsKeepTheirFormulasWithNewValuesAndTypes) {
    test::ScratchDir dir("formula-saving");
    auto wb = XlsxWorkbook::read(scheme(""), "scheme.xlsx");
    MemoryWorksheet& s = wb->sheet("Data");
    EXPECT_EQ(s.formula(3, 2), std::optional<std::string>("A3*Rate"));
    s.setCell(1, 4, 1.0);  // Rate
    s.setCell(3, 1, 5.0);
    EXPECT_EQ(s.cell(3, 2), CellValue(5.0));
    EXPECT_EQ(s.cell(1, 3), CellValue(std::string("FALSE")));
    wb->save(dir / "scheme.xlsx");

    const std::string sheet =
        partsOf(test::readBytes(dir / "scheme.xlsx"))["xl/worksheets/sheet1.xml"];
    EXPECT_NE(sheet.find("<c r=\"B3\"><f t=\"shared\" si=\"0\"/><v>5</v></c>"), std::string::npos)
        << sheet;
    EXPECT_NE(sheet.find("<c r=\"C1\" t=\"b\"><f>B3&gt;25</f><v>0</v></c>"), std::string::npos)
        << sheet;
    const auto values = test::oracle({"values", (dir / "scheme.xlsx").string(), "Data", "B1:C3"});
    EXPECT_EQ(values.status, 0) << values.errors;
    EXPECT_EQ(values.output, "[[1, false], [2, null], [5, null]]\n");
    auto back = XlsxWorkbook::open(dir / "scheme.xlsx");
    EXPECT_EQ(back->sheet("Data").kind(1, 3), CellKind::Boolean);
}

TEST(FormulaSaving, TheCalculationModeACommandEndsInIsSaved) {
    const std::string manual = "<calcPr calcId=\"191029\" calcMode=\"manual\"/>";
    auto wb = XlsxWorkbook::read(scheme(manual), "scheme.xlsx");
    EXPECT_EQ(wb->calculation(), Calculation::Manual);
    {
        ManualCalculation during(*wb);  // as a command writes
        wb->sheet("Data").setCell(1, 1, 4.0);
        EXPECT_EQ(wb->sheet("Data").cell(1, 2), CellValue(10.0));
    }
    std::string book = partsOf(wb->package())["xl/workbook.xml"];
    EXPECT_NE(book.find("<calcPr calcId=\"191029\" fullCalcOnLoad=\"1\"/>"), std::string::npos)
        << book;
    EXPECT_EQ(wb->sheet("Data").cell(1, 2), CellValue(40.0));

    auto untouched = XlsxWorkbook::read(scheme(manual), "scheme.xlsx");
    untouched->sheet("Data").setCell(1, 1, 4.0);  // manual: read as stored, saved manual
    EXPECT_EQ(untouched->sheet("Data").cell(1, 2), CellValue(10.0));
    book = partsOf(untouched->package())["xl/workbook.xml"];
    EXPECT_NE(book.find("calcMode=\"manual\" fullCalcOnLoad=\"1\""), std::string::npos) << book;
}

}  // namespace
}  // namespace plovis
