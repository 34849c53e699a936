#include "scheme/design_range.h"

#include <gtest/gtest.h>

#include <tuple>

#include "doubles/recording_user_interface.h"
#include "profile_fixture.h"
#include "support/message_boxes.h"

namespace plovis {
namespace {

using test::DesignRow;
using test::section;
using test::titleRow;

TEST(DesignRange, SelectionAddressBounds) {
    const struct {
        const char* address;
        Selection expected;
        bool usable;
    } cases[] = {
        {"R16C2:R40C2", {16, 40, 2, 2}, true},
        {"R16C1:R40C1", {16, 40, 1, 1}, true},
        {"R16C2", {0, 0, 0, 0}, false},          // one cell: no ":"
        {"R16C2:R40C3", {16, 40, 2, 3}, false},  // two columns
        {"R16C2:R16C2", {16, 16, 2, 2}, false},  // one row
        {"R16C2:R16C9", {16, 16, 2, 9}, false},  // one row, several columns
        {"R1C1:R1048576C1", {1, 1048576, 1, 1}, true},
    };
    for (const auto& c : cases) {
        const Selection s = parseSelectionAddress(c.address);
        const Selection& e = c.expected;
        EXPECT_EQ(std::tie(s.firstRow, s.lastRow, s.firstCol, s.lastCol),
                  std::tie(e.firstRow, e.lastRow, e.firstCol, e.lastCol))
            << c.address;
        EXPECT_EQ(isDesignSelection(s), c.usable) << c.address;
    }
}

// OK selects again until Cancel; with nobody to select again OK ends like Cancel.
TEST(DesignRange, AnUnusableSelectionIsAskedForAgainUntilCancel) {
    for (const bool canReselect : {true, false}) {
        MemoryWorkbook wb;
        wb.addSheet("PD-CW-Sample");
        wb.setSelection({16, 2, 16, 2});
        RecordingUserInterface ui;
        ui.script({Answer::Ok, Answer::Cancel});
        int reselections = 0;
        const auto reselect = [&] { return ++reselections, canReselect; };
        EXPECT_THROW(requestDesignSelection(wb, ui, reselect), ApplicationEnds);
        EXPECT_EQ(reselections, 1);
        EXPECT_EQ(test::messageBoxes(ui),
                  std::vector<std::string>(canReselect ? 2 : 1,
                                           "ok/cancel critical 'Error!!!' | First Select the "
                                           "Correct Range and Then Click OK!"));
        EXPECT_TRUE(ui.endRequested());
    }
}

// The progress captions are in the command runs' snapshot.
TEST(DesignRange, ReadsSixteenCellsARow) {
    MemoryWorkbook wb;
    MemoryWorksheet& sheet = wb.addSheet("PD-CW-Sample");
    DesignRow a = section("A", "B", 120, 1300, 1290, 1310, 1310, 1305);
    a.structure = "BPC";
    test::writeDesignRows(
        sheet, {titleRow("Main line"), a, section("B", "C", 80, 1290, 1280, 1310, 1305, 1300)});
    sheet.load(18, 2 + 4, std::string("not read"));  // column +4 is no design column
    ProfileState state;
    state.table.selection = {16, 18, 2, 2};
    state.table.rowCount = 3;
    state.table.columns.allocate(3);
    RecordingUserInterface ui;
    readDesignRows(sheet, state.table, ui);
    const DesignColumns& c = state.table.columns;
    // The end mark, row 3, stays empty.
    EXPECT_EQ((std::vector{c.fromNode[0], c.mark[0], c.length[1], c.structure[1], c.endHgl[2],
                           c.hdpeDiameter[2], c.fromNode[3]}),
              (std::vector<CellValue>{
                  std::string("Main line"), {}, 120.0, std::string("BPC"), 1300.0, 63.0, {}}));
    EXPECT_EQ(c.mark.size(), 5u);
}

// Two empty labels in a row are reported at the second; the count passes 1 at the end mark, row
// rowCount + 16; blanks count as empty.
TEST(DesignRange, CheckDesignRowsFindsTwoEmptyLabelsInARow) {
    const struct {
        std::vector<DesignRow> rows;
        const char* message;  // nullptr: the rows pass
    } cases[] = {
        {{titleRow("T"), section("A", "B"), section("B", "C"), titleRow("U"), section("C", "D")},
         nullptr},
        {{titleRow("T"), section("A", "B"), section("B", "")},
         "Error occured at the row number 19"},
        {{titleRow("T"), titleRow("U"), section("A", "B")}, "Error occured at the row number 17"},
        {{titleRow("T"), section("A", "B"), section("  ", "C"), section("", "D")},
         "Error occured at the row number 19"},
    };
    for (const auto& c : cases) {
        RecordingUserInterface ui;
        ProfileState s;
        test::loadDesignColumns(s, c.rows);
        EXPECT_EQ(checkDesignRows(s.table.columns, s.table.rowCount, ui), c.message == nullptr);
        EXPECT_EQ(ui.messageTexts(),
                  c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
    }
}

}  // namespace
}  // namespace plovis
