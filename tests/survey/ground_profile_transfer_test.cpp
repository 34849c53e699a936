#include "survey/ground_profile_transfer.h"

#include <gtest/gtest.h>

#include "host_faults.h"
#include "support/sheet_rows.h"
#include "survey/ground_profile.h"

namespace plovis {
namespace {

using test::loadRow;
using test::rowText;

const CellValue kEmpty{};

// A reduced book of two branches of three stations and one of a single station; levelColumn is K
// (level book) or N (Abney).
void loadReducedBook(MemoryWorksheet& s, int levelColumn) {
    auto station = [&](int row, const char* label, CellValue distance, double level) {
        loadRow(s, row, 3, {label, distance});
        s.load(row, levelColumn, level);
    };
    loadRow(s, 5, 3, {"Main"});
    station(6, "A", kEmpty, 1000);
    station(7, "B", 20.0, 1001.25);
    station(8, "C", 30.5, 998.125);
    loadRow(s, 9, 3, {"Spur"});
    station(10, "C", 0.0, 998.125);
    station(11, "S1", 12.0, 990.0);
    station(12, "S2", 8.0, 985.5);
    loadRow(s, 13, 3, {"Lone"});  // a single station is transferred too
    station(14, "L0", kEmpty, 50);
}

struct TransferFixture : ::testing::Test, test::SurveyRun {
    MemoryWorksheet& level = memory.addSheet("Levelsurvey");
    MemoryWorksheet& abney = memory.addSheet("AbneySurvey");
    MemoryWorksheet& ground = memory.addSheet("GroundProfile");

    TransferFixture() {
        // An older, longer profile with its control-point codes in column E.
        for (int row = 4; row <= 20; ++row) {
            loadRow(ground, row, 2, {"old" + std::to_string(row), 1.0, 2.0});
            if (row % 3 == 0) ground.load(row, 5, 1.0);
        }
        ground.load(30, 3, 7.0);
    }
    bool transfer(bool fromAbney, test::HostFaults given = {}) {
        return run(
            [&](SpreadsheetHost& h) {
                return transferToGroundProfile(context, h, ui, fromAbney, true);
            },
            given);
    }
    // Main A..C, Spur C..S2 and Lone L0 written from row 4 and nothing below; the codes stay row
    // for row.
    void expectTwoBranchesWritten() {
        test::expectSheetGolden(ground, 1, 40, {2, 3, 4, 5}, "transferred_profile");
    }
};

TEST_F(TransferFixture, TheReducedLevelOrAbneyBookBecomesTheGroundProfile) {
    loadReducedBook(level, 11);  // K
    ASSERT_TRUE(transfer(false));
    expectTwoBranchesWritten();
    EXPECT_EQ(test::messageBoxes(ui), std::vector<std::string>{test::kComplete});

    ground.clearRange("B4:D14");  // the Abney book must write it all again
    loadReducedBook(abney, 14);   // N
    ASSERT_TRUE(transfer(true));
    expectTwoBranchesWritten();
}

TEST_F(TransferFixture, AMissingGroundProfileIsReportedAndNothingIsWritten) {
    MemoryWorkbook book;
    loadReducedBook(book.addSheet("Levelsurvey"), 11);
    test::SingleWorkbookHost host(&book);
    EXPECT_FALSE(transferToGroundProfile(context, host, ui, false, true));
    EXPECT_EQ(
        test::messageBoxes(ui),
        std::vector<std::string>{"ok | Could not find the GroundProfile sheet in the excel file."});
    EXPECT_FALSE(book.modified());
}

TEST_F(TransferFixture, AnUnreadableBookLeavesTheGroundProfileAlone) {
    loadReducedBook(level, 11);
    EXPECT_FALSE(transfer(false, {.unreadableRow = 7}));
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string>{"Error found in the row number 7"});
    EXPECT_FALSE(memory.modified());

    ui = {};
    EXPECT_TRUE(transfer(true));  // from the empty Abney book
    EXPECT_EQ(test::messageBoxes(ui), std::vector<std::string>{test::kComplete});
    EXPECT_TRUE(isEmpty(ground.cell(4, 2)));  // an empty book leaves an empty ground profile
}

TEST_F(TransferFixture, AWriteFailureIsReportedAndTheRowsBeforeItStay) {
    loadReducedBook(level, 11);
    EXPECT_FALSE(transfer(false, {.writesBeforeFailure = 6}));  // the header row and station A
    EXPECT_EQ(test::messageBoxes(ui),
              std::vector<std::string>{test::writeFailure(6, "GroundProfile", 2)});
    EXPECT_EQ(rowText(ground, 5, {2}), "'A'");
    EXPECT_EQ(rowText(ground, 6, {2}), "-");
}

TEST_F(TransferFixture, ABookPastRow65000IsRefusedWhole) {
    // One branch: its header on row 4 and a station on every row to 65000 fit exactly ...
    auto loadStations = [&](int count) {
        loadRow(level, 5, 3, {"Long"});
        for (int i = 0; i < count; ++i) {
            loadRow(level, 6 + i, 3, {"P" + std::to_string(i), 1.0});
        }
    };
    loadStations(64996);
    ASSERT_TRUE(transfer(false));
    EXPECT_EQ(ground.cell(65000, 2), CellValue("P64995"));

    // ... one station more does not: nothing is written.
    loadStations(64997);
    ground.load(65000, 2, std::string("earlier"));
    memory.markSaved();
    ui = {};
    EXPECT_FALSE(transfer(false));
    EXPECT_EQ(ui.messageTexts(),
              std::vector<std::string>{"The level survey book does not fit in the sheet "
                                       "GroundProfile: it would pass the row number 65000. "
                                       "Nothing was written."});
    EXPECT_FALSE(memory.modified());
    EXPECT_EQ(memory.calculation(), Calculation::Automatic);
}

}  // namespace
}  // namespace plovis
