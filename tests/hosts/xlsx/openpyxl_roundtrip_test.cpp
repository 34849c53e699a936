// A workbook written by openpyxl, edited in a few cells and saved by PLOVIS, read back by openpyxl:
// the edited cells hold their new values and keep their styles; everything else is as it was.
#include <gtest/gtest.h>

#include "hosts/xlsx/xlsx_workbook.h"
#include "package_support.h"
#include "support/test_paths.h"

namespace plovis {
namespace {

class OpenpyxlRoundTrip : public ::testing::Test {
  protected:
    void SetUp() override { test::oracle({"sample", original.string()}); }

    test::ScratchDir dir{"openpyxl"};
    std::filesystem::path original = dir / "sample.xlsx";
    std::filesystem::path saved = dir / "saved.xlsx";
};

TEST_F(OpenpyxlRoundTrip, PlovisReadsWhatOpenpyxlWroteAndChangesOnlyTheEditedCells) {
    auto wb = XlsxWorkbook::open(original);
    ASSERT_EQ(wb->sheetCount(), 2);
    Worksheet& s = wb->sheet("PD-CW-Sample");
    EXPECT_EQ(s.cell(1, 1), CellValue(std::string("Pipe design of the scheme")));
    EXPECT_EQ(s.cell(5, 2), CellValue(125.5));
    EXPECT_EQ(s.cell(5, 6), CellValue(std::string("TRUE")));
    EXPECT_EQ(s.cell(6, 6), CellValue(45366.25));  // 15 March 2024, 06:00
    EXPECT_EQ(s.cell(7, 6), CellValue(std::string("text with  two blanks and a line\nbreak")));
    EXPECT_EQ(s.cell(5, 4), CellValue(1.255));  // formulas openpyxl never calculated: on open
    EXPECT_EQ(wb->sheet("Water Demand").cell(3, 3), CellValue(-0.125));

    s.setCell(5, 2, 42.5);                             // a formatted number
    s.setCell(6, 3, std::string("changed"));           // a number becomes text
    s.setCell(7, 4, 99.0);                             // a formula is overwritten
    s.setCell(5, 6, std::string(""));                  // a boolean is cleared
    s.setCell(20, 5, 0.25);                            // a formatted cell that was empty
    s.setCell(30, 8, std::string("new <cell> & co"));  // a new cell in a new row
    s.setCell(16, 2, std::string("merged, rewritten"));
    wb->save(saved);

    test::oracle({"compare", original.string(), saved.string(),
                  R"({"PD-CW-Sample!B5": 42.5, "PD-CW-Sample!C6": "changed", "PD-CW-Sample!D7": 99,
             "PD-CW-Sample!F5": null, "PD-CW-Sample!E20": 0.25,
             "PD-CW-Sample!H30": "new <cell> & co", "PD-CW-Sample!B16": "merged, rewritten"})"});

    // Parts the edit did not concern are the very same bytes once inflated. The formula on the
    // other sheet reading B5 got its value (the workbook recalculated it).
    const test::Parts before = test::partsOf(test::readBytes(original));
    const test::Parts after = test::partsOf(test::readBytes(saved));
    EXPECT_NE(after.at("xl/worksheets/sheet2.xml").find("<f>'PD-CW-Sample'!B5*2</f><v>85</v>"),
              std::string::npos);
    for (const auto& [part, content] : before) {
        if (part == "xl/worksheets/sheet1.xml" || part == "xl/worksheets/sheet2.xml" ||
            part == "xl/workbook.xml") {
            continue;
        }
        ASSERT_EQ(after.count(part), 1u) << part;
        EXPECT_EQ(after.at(part), content) << part;
    }
    EXPECT_EQ(after.size(), before.size());
}

}  // namespace
}  // namespace plovis
