#include "hosts/memory_workbook.h"

#include <gtest/gtest.h>

#include <tuple>

#include "doubles/recording_user_interface.h"
#include "support/message_boxes.h"

namespace plovis {
namespace {

TEST(MemoryWorkbook, CellsInAnyOrderFarApartAndEmptyTextLeavesTheCellEmpty) {
    MemoryWorkbook wb("scheme.xlsx");
    MemoryWorksheet& s = wb.addSheet("S");
    EXPECT_EQ(s.lastRow() + s.lastColumn(), 0);
    s.setCell(1048576, 16384, 9.0);  // the far corner costs one cell, not a row of 16384
    for (int row = 40; row >= 1; --row) {
        for (int column = 5; column >= 1; column -= 2)
            s.setCell(row, column, double(row * 10 + column));
    }
    s.setCell(16, 3, std::string("A"));
    s.setCell(16, 4, std::string(""));
    EXPECT_EQ(s.cell(16, 3), CellValue(std::string("A")));
    EXPECT_TRUE(isEmpty(s.cell(16, 4)));
    s.setCell(16, 3, std::string(""));
    EXPECT_TRUE(isEmpty(s.cell(16, 3)));
    // far beyond the data, still inside the sheet
    EXPECT_EQ((std::vector<CellValue>{s.cell(1048576, 16384), s.cell(1048575, 16384), s.cell(17, 3),
                                      s.cell(17, 2), s.cell(40, 5)}),
              (std::vector<CellValue>{9.0, {}, 173.0, {}, 405.0}));
    EXPECT_EQ((std::pair{s.lastRow(), s.lastColumn()}), (std::pair{1048576, 16384}));
    s.setCell(1048576, 16384, std::string(""));
    EXPECT_EQ((std::pair{s.lastRow(), s.lastColumn()}), (std::pair{40, 5}));
    s.clearRange("A31:E40");
    EXPECT_EQ(s.lastRow(), 30);
    EXPECT_EQ(s.cell(30, 1), CellValue(301.0));
    EXPECT_TRUE(wb.modified());
    for (auto [row, column] : {std::pair{0, 1}, {1, 0}, {1048577, 1}, {1, 16385}, {-5, -5}}) {
        EXPECT_THROW(s.cell(row, column), HostError) << row << "," << column;
        EXPECT_THROW(s.setCell(row, column, 1.0), HostError) << row << "," << column;
    }
}

TEST(MemoryWorkbook, ClearRangeEmptiesOnlyTheRange) {
    MemoryWorkbook wb;
    MemoryWorksheet& s = wb.addSheet("S");
    for (int row = 24; row <= 27; ++row) {
        for (int column = 1; column <= 5; ++column)
            s.load(row, column, double(row * 10 + column));
    }
    EXPECT_FALSE(wb.modified());
    s.clearRange("B25:D65000");
    // above the range, left and right of it, inside it
    EXPECT_EQ((std::vector<CellValue>{s.cell(24, 2), s.cell(25, 1), s.cell(25, 5), s.cell(25, 2),
                                      s.cell(27, 4)}),
              (std::vector<CellValue>{242.0, 251.0, 255.0, {}, {}}));
    EXPECT_EQ(s.changedCells().size(), 9u);
    EXPECT_THROW(s.clearRange("B25:"), HostError);
    wb.markSaved();
    EXPECT_FALSE(wb.modified());
    s.clearRange("B25:D27");  // already empty: no change
    EXPECT_FALSE(wb.modified());
}

TEST(MemoryWorkbook, AFormulaReadsAsItsValueUntilTheCellIsWrittenOrCleared) {
    MemoryWorkbook wb;
    MemoryWorksheet& s = wb.addSheet("S");
    s.setFormula(16, 11, "=I16-J16", 12.5);
    s.setFormula(16, 12, "L15", std::string("n/a"));  // the "=" may be left out
    s.setFormula(16, 13, "=M15", CellValue{});        // not calculated: the workbook does it
    s.setFormula(17, 11, "=I17-J17", 3.0);
    EXPECT_EQ(s.cell(16, 11), CellValue(12.5));
    EXPECT_EQ(s.cell(16, 13), CellValue(0.0));  // M15 + nothing, computed
    ASSERT_TRUE(s.formula(16, 11) && s.formula(16, 12) && s.formula(16, 13));
    EXPECT_EQ(*s.formula(16, 11) + " " + *s.formula(16, 12) + " " + *s.formula(16, 13),
              "I16-J16 L15 M15");
    EXPECT_EQ(s.changedCells().size(), 4u);

    s.setCell(16, 11, 4.0);   // a command writes over the formula
    s.clearRange("L16:M16");  // or clears it, also where it had no value
    s.load(17, 11, 7.0);      // or a file is read into the cell
    for (auto [row, column] : {std::pair{16, 11}, {16, 12}, {16, 13}, {17, 11}})
        EXPECT_EQ(s.formula(row, column), std::nullopt) << row << "," << column;
    EXPECT_EQ(s.cell(16, 11), CellValue(4.0));
    EXPECT_TRUE(s.changedCells().count({16, 13}));

    s.setFormula(18, 11, "=1+1", 2.0);
    EXPECT_TRUE(s.formulaWritten(18, 11));
    wb.markSaved();  // saved into the file, which holds it from now on
    EXPECT_FALSE(s.formulaWritten(18, 11));
    EXPECT_EQ(s.formula(18, 11), std::optional<std::string>("1+1"));
    EXPECT_EQ(s.cell(18, 11), CellValue(2.0));

    // A formula must say something and lie in the sheet.
    for (auto [row, text] : {std::pair{1, "="}, {1, "  "}, {0, "=1"}})
        EXPECT_THROW(s.setFormula(row, 1, text, 1.0), HostError) << text;
    EXPECT_FALSE(wb.modified());
    EXPECT_EQ(s.formula(1, 1), std::nullopt);
}

TEST(MemoryWorkbook, SheetsByNameIgnoringCaseAndTheActiveSheet) {
    MemoryWorkbook wb("w.xlsx");
    wb.addSheet("DATA INPUT");
    wb.addSheet("Water Demand");
    EXPECT_EQ(wb.activeSheet().name(), "DATA INPUT");
    EXPECT_EQ(wb.sheet("water demand").name(), "Water Demand");
    wb.setActiveSheet("WATER DEMAND");
    EXPECT_EQ(wb.activeSheet().name(), "Water Demand");
    EXPECT_THROW(wb.sheet("GroundProfile"), HostError);
    EXPECT_THROW(wb.addSheet("data input"), HostError);
    for (const char* bad : {"", "a/b", "x[1]", "'q", "0123456789012345678901234567890123"})
        EXPECT_THROW(wb.addSheet(bad), HostError) << bad;
    EXPECT_THROW(wb.sheetAt(2), HostError);
    wb.setSelection({16, 2, 40, 2});
    EXPECT_EQ(selectionAddressR1C1(wb), "R16C2:R40C2");
}

TEST(AttachSpreadsheet, GivesTheActiveSheetOrTheMessage) {
    MemorySpreadsheetHost host;
    RecordingUserInterface ui;
    EXPECT_EQ(attachSpreadsheet(host, ui), nullptr);
    EXPECT_TRUE(host.started() && host.visible());
    host.add(std::make_unique<MemoryWorkbook>());  // a workbook without sheets: nothing either
    EXPECT_EQ(attachSpreadsheet(host, ui), nullptr);
    EXPECT_EQ(test::messageBoxes(ui),
              std::vector<std::string>(2, "ok critical | Excel application is not open"));

    auto wb = std::make_unique<MemoryWorkbook>();
    wb->addSheet("A");
    wb->addSheet("B");
    wb->setActiveIndex(1);
    host.add(std::move(wb));
    RecordingUserInterface quiet;
    Worksheet* sheet = attachSpreadsheet(host, quiet);
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->name(), "B");
    EXPECT_TRUE(quiet.events().empty());
}

TEST(CellValue, TextAndNumberReadings) {
    // A number reads through its 15-digit text.
    // clang-format off
    const std::tuple<CellValue, const char*, double> cases[] = {
        {CellValue{}, "", 0}, {63.0, "63", 63}, {0.1 + 0.2, "0.3", 0.3}, {-1e20, "-1E+20", -1e20},
        {std::string("12 m"), "12 m", 12}, {std::string("abc"), "abc", 0}};
    // clang-format on
    for (const auto& [value, text, number] : cases) {
        EXPECT_EQ(cellText(value), text);
        EXPECT_DOUBLE_EQ(cellNumber(value), number) << text;
    }
    EXPECT_TRUE(isBlankText(CellValue(std::string("   "))));
    EXPECT_FALSE(isBlankText(CellValue(0.0)));
}

}  // namespace
}  // namespace plovis
