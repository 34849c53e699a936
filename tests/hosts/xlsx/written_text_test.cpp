// What a save writes into the package stays well-formed, and a workbook keeps its kind.
#include <gtest/gtest.h>

#include "hosts/xlsx/xlsx_workbook.h"
#include "package_support.h"
#include "support/failure_text.h"
#include "support/test_paths.h"

namespace plovis {
namespace {

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
        const auto read = test::oracle({"cells", file.string(), "S", "B2:B3"});
        EXPECT_EQ(read.status, 0) << read.errors;
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
