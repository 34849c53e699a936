// Saving workbooks: what is written, what is dropped, what is kept of the file, and what is
// refused.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "hosts/manual_calculation.h"
#include "hosts/xlsx/xlsx_workbook.h"
#include "package_support.h"
#include "support/failure_text.h"
#include "support/test_paths.h"

namespace plovis {
namespace {

using test::Parts;
using test::partsOf;
using test::readBytes;
using test::workbookParts;
using test::worksheetXml;
using test::zipOf;

using test::text;

// A workbook whose formula cells were last calculated in a recorded order.
Parts calculatedWorkbook() {
    Parts p = workbookParts(
        {{"Data",
          worksheetXml("<row r=\"1\"><c r=\"A1\"><v>2</v></c><c r=\"B1\"><f>A1*2</f><v>4</v>"
                       "</c></row><row r=\"2\"><c r=\"A2\"><f>B1+1</f><v>5</v></c></row>")},
         {"Other",
          worksheetXml("<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>x</t></is></c></row>")}},
        "", "<calcPr calcId=\"191029\"/>");
    p["xl/calcChain.xml"] =
        "<calcChain xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
        "<c r=\"B1\" i=\"1\"/><c r=\"A2\"/></calcChain>";
    auto& rels = p["xl/_rels/workbook.xml.rels"];
    rels.insert(rels.find("</Relationships>"),
                "<Relationship Id=\"rId9\" Type=\"http://schemas.openxmlformats.org/"
                "officeDocument/2006/relationships/calcChain\" Target=\"calcChain.xml\"/>");
    auto& types = p["[Content_Types].xml"];
    types.insert(types.find("</Types>"),
                 "<Override PartName=\"/xl/calcChain.xml\" ContentType=\"application/"
                 "vnd.openxmlformats-officedocument.spreadsheetml.calcChain+xml\"/>");
    return p;
}

TEST(XlsxSaving, TheCalculationChainGoesAndFullRecalculationIsAsked) {
    const Parts before = calculatedWorkbook();
    auto wb = XlsxWorkbook::read(zipOf(before), "calc.xlsx");
    wb->sheet("Data").setCell(1, 2, 10.0);  // overwrites a formula the chain lists
    Parts after = partsOf(wb->package());

    EXPECT_EQ(after.count("xl/calcChain.xml"), 0u);
    EXPECT_EQ(after["xl/_rels/workbook.xml.rels"].find("calcChain"), std::string::npos);
    EXPECT_EQ(after["[Content_Types].xml"].find("calcChain"), std::string::npos);
    EXPECT_NE(after["[Content_Types].xml"].find("/xl/worksheets/sheet2.xml"), std::string::npos);
    EXPECT_NE(after["xl/workbook.xml"].find("<calcPr calcId=\"191029\" fullCalcOnLoad=\"1\"/>"),
              std::string::npos);
    EXPECT_EQ(after["xl/worksheets/sheet2.xml"], before.at("xl/worksheets/sheet2.xml"));
    EXPECT_EQ(after["_rels/.rels"], before.at("_rels/.rels"));
    EXPECT_NE(after["xl/worksheets/sheet1.xml"].find("<c r=\"B1\"><v>10</v></c>"),
              std::string::npos);
    EXPECT_NE(after["xl/worksheets/sheet1.xml"].find("<f>B1+1</f>"), std::string::npos);
}

TEST(XlsxSaving, CalcPrIsAddedWhereTheSchemaPutsIt) {
    Parts p = workbookParts({{"S", worksheetXml("")}}, "",
                            "<definedNames><definedName name=\"x\">S!$A$1</definedName>"
                            "</definedNames><extLst/>");
    auto wb = XlsxWorkbook::read(zipOf(p), "a.xlsx");
    const std::string book = partsOf(wb->package())["xl/workbook.xml"];
    EXPECT_NE(book.find("</definedNames><calcPr fullCalcOnLoad=\"1\"/><extLst/>"),
              std::string::npos)
        << book;
}

// Two oddities the fuzzer found: a sheet standing on the calculation chain's relationship, and a
// relationships namespace bound to a prefix no element could use.
TEST(XlsxSaving, OdditiesOfTheWorkbookPartSurviveASave) {
    Parts p = calculatedWorkbook();
    auto& book = p["xl/workbook.xml"];
    book.replace(book.find("r:id=\"rId2\""), 11, "r:id=\"rId9\"");
    book.replace(book.find("xmlns:r="), 8, "xmlns:0=");
    auto wb = XlsxWorkbook::read(zipOf(p), "odd.xlsx");
    wb->addSheet("Added").setCell(1, 1, 1.0);
    auto back = XlsxWorkbook::read(wb->package(), "back.xlsx");
    EXPECT_EQ(back->sheetCount(), 2);  // Data and Added; "Other" names the chain, no worksheet
    EXPECT_EQ(back->sheet("Added").cell(1, 1), CellValue(1.0));
    EXPECT_EQ(partsOf(wb->package()).count("xl/calcChain.xml"), 1u);
}

TEST(XlsxSaving, ANewWorkbookSavesAndReadsBack) {
    test::ScratchDir dir("new-workbook");
    auto wb = XlsxWorkbook::create("Scheme", {"DATA INPUT", "Water Demand"});
    EXPECT_EQ(wb->activeSheet().name(), "DATA INPUT");
    wb->sheet("Water Demand").setCell(20, 6, 3.25);
    wb->sheet("Water Demand").setCell(21, 6, text("Tap & <stand>"));
    wb->sheet("DATA INPUT").setCell(1, 1, text("Scheme"));
    wb->save(dir / "scheme.xlsx");
    wb->sheet("DATA INPUT").setCell(2, 1, 2.0);  // a second round of changes, and a new sheet
    wb->addSheet("Notes").setCell(1, 1, 3.0);
    const std::string package = wb->package();
    wb->save(dir / "scheme.xlsx");
    EXPECT_EQ(readBytes(dir / "scheme.xlsx"), package) << "the same workbook, the same bytes";
    EXPECT_FALSE(wb->modified());
    EXPECT_EQ(wb->name(), "scheme.xlsx");

    auto back = XlsxWorkbook::open(dir / "scheme.xlsx");
    ASSERT_EQ(back->sheetCount(), 3);
    EXPECT_EQ(back->sheetAt(2).name(), "Notes");
    EXPECT_EQ(back->sheetAt(2).cell(1, 1), CellValue(3.0));
    EXPECT_EQ(back->sheet("water demand").cell(20, 6), CellValue(3.25));
    EXPECT_EQ(back->sheet("DATA INPUT").cell(1, 1), text("Scheme"));
    EXPECT_EQ(back->sheet("DATA INPUT").cell(2, 1), CellValue(2.0));
    EXPECT_EQ(back->activeSheet().name(), "DATA INPUT");

    EXPECT_EQ(test::oracle({"cells", (dir / "scheme.xlsx").string(), "Water Demand", "F20:F21"}),
              "[[3.25], [\"Tap & <stand>\"]]\n");
    // Every part carries the same date, not the clock's.
    EXPECT_EQ(test::oracle({"dates", (dir / "scheme.xlsx").string()}), "[[1980, 1, 1, 0, 0, 0]]\n");
}

// A sheet of many megabytes is written in pieces: both new rows and rows patched in place must
// come back whole, in order, across the seams.
TEST(XlsxSaving, ALongSheetComesBackWholeAcrossThePiecesItIsWrittenIn) {
    test::ScratchDir dir("long-sheet");
    constexpr int kRows = 60'000;  // about 8 MB of sheet
    const std::string filler(60, 'x');
    auto wb = XlsxWorkbook::create("Long", {"Levels"});
    for (int r = 1; r <= kRows; ++r)
        wb->sheet("Levels").setCell(r, 2, CellValue(filler + std::to_string(r)));
    wb->save(dir / "long.xlsx");
    auto mid = XlsxWorkbook::open(dir / "long.xlsx");
    for (int r = 1; r <= kRows; r += 2)
        mid->sheet("Levels").setCell(r, 1, static_cast<double>(r));
    mid->save(dir / "long.xlsx");

    auto back = XlsxWorkbook::open(dir / "long.xlsx");
    MemoryWorksheet& sheet = back->sheet("Levels");
    for (int r = 1; r <= kRows; ++r) {
        ASSERT_EQ(sheet.cell(r, 2), CellValue(filler + std::to_string(r))) << "row " << r;
        ASSERT_EQ(sheet.cell(r, 1), r % 2 ? CellValue(double(r)) : CellValue()) << "row " << r;
    }
}

TEST(XlsxSaving, FormulasAreSavedWithTheirValues) {
    test::ScratchDir dir("formulas");
    const auto file = dir / "scheme.xlsx";
    auto wb = XlsxWorkbook::create("scheme", {"PD-CW-Sample"});
    MemoryWorksheet& s = wb->sheet("PD-CW-Sample");
    s.setCell(16, 9, 1520.25);
    s.setCell(16, 10, 1498.5);
    s.setFormula(16, 11, "=I16-J16", 21.75);
    s.setFormula(16, 12, "=IF(K16>20,\"high & dry\",\"low\")", text("high & dry"));
    s.setFormula(16, 13, "='DATA INPUT'!E22/100", CellValue{});
    wb->save(file);

    EXPECT_EQ(test::oracle({"cells", file.string(), "PD-CW-Sample", "K16:M16"}),
              "[[\"=I16-J16\", \"=IF(K16>20,\\\"high & dry\\\",\\\"low\\\")\", "
              "\"='DATA INPUT'!E22/100\"]]\n");
    // The sheet the third formula names is not in the workbook.
    EXPECT_EQ(test::oracle({"values", file.string(), "PD-CW-Sample", "K16:M16"}),
              "[[21.75, \"high & dry\", \"#REF!\"]]\n");

    // A formula overwritten by a command is dropped.
    auto back = XlsxWorkbook::open(file);
    MemoryWorksheet& again = back->sheet("PD-CW-Sample");
    again.setCell(16, 11, 0.25);  // a formula the file holds
    again.setFormula(17, 11, "=1", 1.0);
    again.setCell(17, 11, 5.0);  // a formula written and overwritten before any save
    back->save(file);
    EXPECT_EQ(test::oracle({"cells", file.string(), "PD-CW-Sample", "K16:L17"}),
              "[[0.25, \"=IF(K16>20,\\\"high & dry\\\",\\\"low\\\")\"], [5, null]]\n");
}

TEST(XlsxSaving, AFailedSaveLeavesTheFileAndTheFolderAsTheyWere) {
    test::ScratchDir dir("failed-save");
    auto wb = XlsxWorkbook::create("w", {"S"});
    wb->sheet("S").setCell(1, 1, 1.0);
    wb->save(dir / "w.xlsx");
    const std::string saved = readBytes(dir / "w.xlsx");

    wb->sheet("S").setCell(2, 1, std::string(40000, 'x'));  // more than a cell holds
    EXPECT_EQ(test::failureText<HostError>([&] { wb->save(dir / "w.xlsx"); }),
              "cannot save \"" + (dir / "w.xlsx").string() +
                  "\": in the sheet \"S\": the text for cell A2 is longer than the 32767 "
                  "characters a cell can hold");
    EXPECT_TRUE(wb->modified());
    EXPECT_EQ(readBytes(dir / "w.xlsx"), saved);
    EXPECT_THROW(wb->save(dir / "no-such-folder" / "w.xlsx"), HostError);
    EXPECT_THROW(wb->save(dir.path()), HostError);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);  // no temporary file left behind
}

TEST(XlsxSaving, PermissionsAndLinksOfTheFileAreKept) {
    test::ScratchDir dir("links");
    auto wb = XlsxWorkbook::create("w", {"S"});
    wb->save(dir / "real.xlsx");
    ::chmod((dir / "real.xlsx").c_str(), 0640);
    std::filesystem::create_symlink("real.xlsx", dir / "link.xlsx");
    wb->sheet("S").setCell(1, 1, 5.0);
    wb->save(dir / "link.xlsx");
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.xlsx"));
    struct stat st;
    ASSERT_EQ(::stat((dir / "real.xlsx").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(XlsxWorkbook::open(dir / "real.xlsx")->sheet("S").cell(1, 1), CellValue(5.0));
}

// Formulas of a file recalculated and saved: shared formulas and defined names are followed, each
// recalculated cell keeps its <f> element with the new value and type, and the calculation mode
// the workbook ends in is the one saved. The scheme: A1:A3 1 2 3, D1 10 (the name Rate); B1:B3 one
// shared formula A1*Rate; C1 a boolean B3>25.
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
    EXPECT_EQ(test::oracle({"values", (dir / "scheme.xlsx").string(), "Data", "B1:C3"}),
              "[[1, false], [2, null], [5, null]]\n");
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

// What a save writes into the package stays well-formed, and a workbook keeps its kind.
// Control characters and the two non-characters are stored as escapes and read back as they
// were; text that is not UTF-8 (a stray byte, a surrogate, an overlong form) and a control
// character in a formula have no form in XML and refuse the save, naming the cell.
TEST(WrittenText, EveryPartSavedIsWellFormedXml) {
    test::ScratchDir dir("written-text");
    const auto file = dir / "w.xlsx";
    const struct {
        std::string text, formula, refusal;
    } cases[] = {
        {std::string("a\0b\x1F\r", 5), "", ""},
        {"\xEF\xBF\xBE and \xEF\xBF\xBF", "", ""},
        {"ab\xFF", "", "the text for cell B2 holds a byte that is not UTF-8 (0xFF) at character 3"},
        {"\xED\xA0\x80", "",
         "the text for cell B2 holds a UTF-16 surrogate on its own at character 1"},
        {"x\xC0\xAF", "",
         "the text for cell B2 holds a byte that is not UTF-8 (0xC0) at character 2"},
        {"", "=\"a\x01\"",
         "the formula for cell B2 holds the control character U+0001 at character 3"},
    };
    for (const auto& c : cases) {
        auto wb = XlsxWorkbook::create("w.xlsx", {"S"});
        if (c.formula.empty()) wb->sheet("S").setCell(2, 2, c.text);
        if (!c.formula.empty()) wb->sheet("S").setFormula(2, 2, c.formula, 1.0);
        const std::string failure = test::failureText<HostError>([&] { wb->save(file); });
        if (!c.refusal.empty()) {
            EXPECT_EQ(failure, "cannot save \"" + file.string() + "\": in the sheet \"S\": " +
                                   c.refusal + ", which a workbook cannot hold");
            continue;
        }
        ASSERT_EQ(failure, "no failure");
        EXPECT_EQ(XlsxWorkbook::open(file)->sheet("S").cell(2, 2), CellValue(c.text));
        test::oracle({"cells", file.string(), "S", "B2:B3"});  // openpyxl reads it cleanly
    }
}

// A workbook with macros saves in place with its macros and content type; under an .xlsx name it
// is refused, as a workbook without macros is under an .xlsm name.
TEST(WrittenText, AWorkbookKeepsItsKindWithItsName) {
    test::ScratchDir dir("workbook-kind");
    test::Parts parts = test::workbookParts({{"S", test::worksheetXml("")}});
    std::string& types = parts["[Content_Types].xml"];
    const std::string plain = "spreadsheetml.sheet.main+xml";
    types.replace(types.find(plain), plain.size(), "spreadsheetml.sheet.macroEnabled.main+xml");
    parts["xl/vbaProject.bin"] = "VBA";
    auto wb = XlsxWorkbook::read(test::zipOf(parts), "m.xlsm");
    wb->sheet("S").setCell(1, 1, 5.0);
    EXPECT_EQ(
        test::failureText<HostError>([&] { wb->save(dir / "m.xlsx"); }),
        "cannot save \"" + (dir / "m.xlsx").string() +
            "\": the workbook holds macros, which an .xlsx file cannot keep; save it as .xlsm");
    wb->save(dir / "m.XLSM");
    const test::Parts saved = test::partsOf(test::readBytes(dir / "m.XLSM"));
    EXPECT_EQ(saved.at("xl/vbaProject.bin"), "VBA");
    EXPECT_NE(saved.at("[Content_Types].xml").find("macroEnabled"), std::string::npos);
    EXPECT_THROW(XlsxWorkbook::create("p.xlsx", {"S"})->save(dir / "p.xlsm"), HostError);
    EXPECT_FALSE(std::filesystem::exists(dir / "m.xlsx") ||
                 std::filesystem::exists(dir / "p.xlsm"));
}

}  // namespace
}  // namespace plovis
