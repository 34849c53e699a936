// A command that reads a cell the workbook could not recalculate after its change is followed by
// one information box naming the cell and why.
#include "desktop_fixture.h"
#include "hosts/xlsx/xlsx_workbook.h"
#include "support/test_paths.h"

namespace plovis {
namespace {

using FormulaWarning = test::DesktopTest;

TEST_F(FormulaWarning, ACommandReadingAStaleCellEndsWithAnInformationBox) {
    // B1 and C1 with stored values; the command changes A1, then reads C1 twice.
    const struct {
        const char *b1, *c1, *why;
    } cases[] = {{"A1+1", "FORECAST(B1,1,1)", "the function FORECAST"},
                 {"A1+C1", "B1*2", "circular reference"}};
    test::ScratchDir dir("shell-formula-warning");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.c1);
        start();
        const auto file = dir / (std::string(c.why) + ".xlsx");
        auto made = XlsxWorkbook::create("made", {"Pipes"});
        made->sheet("Pipes").setCell(1, 1, 1.0);
        made->sheet("Pipes").setFormula(1, 2, c.b1, 7.0);
        made->sheet("Pipes").setFormula(1, 3, c.c1, 8.0);
        made->save(file);
        desktop->workbooks().open(file);
        desktop->runCommand([this] {
            Worksheet& s = desktop->workbooks().activeWorkbook().sheet("Pipes");
            s.setCell(1, 1, 2.0);
            EXPECT_EQ(s.cell(1, 3), CellValue(8.0));  // the stored value, kept
            s.cell(1, 3);                             // and told once
        });
        ASSERT_EQ(dialogs->shown.size(), 1u);
        const Message& box = dialogs->shown[0].message;
        EXPECT_EQ(box.icon, Icon::Information);
        EXPECT_EQ(box.title, "Workbook");
        EXPECT_TRUE(box.text.starts_with("'Pipes'!C1 was read with its stored value")) << box.text;
        EXPECT_NE(box.text.find(c.why), std::string::npos) << box.text;
    }
}

}  // namespace
}  // namespace plovis
