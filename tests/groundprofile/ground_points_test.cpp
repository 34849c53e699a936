#include "groundprofile/ground_points.h"

#include <gtest/gtest.h>

#include "doubles/recording_user_interface.h"
#include "hosts/memory_workbook.h"
#include "support/message_boxes.h"

namespace plovis {
namespace {

// A chainage of "km+m" or a number; a split text that is no number shows its message and reads 0.
TEST(GroundPoints, ChainageTexts) {
    const struct {
        CellValue value;
        double expected;
        bool message = false;
    } cases[] = {
        // clang-format off
        {std::string("0+000"), 0}, {std::string("1+250"), 1250}, {std::string("1+250.5"), 1250.5},
        {std::string("12.5%"), 0.125f}, {std::string("350"), 350}, {350.0, 350},
        {std::string("abc"), 0}, {CellValue{}, 0}, {std::string("2+"), 2000},
        {std::string("+5"), 5}, {std::string("1+2+3"), 1002},
        {std::string("1234+567.891"), 1234567.875},  // single precision
        {std::string("1e999+5"), 0, true},
        // clang-format on
    };
    for (const auto& c : cases) {
        RecordingUserInterface ui;
        EXPECT_EQ(static_cast<double>(parseChainage(c.value, ui)), c.expected) << cellText(c.value);
        EXPECT_EQ(test::messageBoxes(ui),
                  c.message ? std::vector<std::string>{"ok critical | Error encountered non "
                                                       "numeric chainage in remarks sheet."}
                            : std::vector<std::string>{});
    }
}

struct Row {
    CellValue a;
    std::string b;
    CellValue c, d;
};

MemorySpreadsheetHost hostWithRows(const std::vector<Row>& rows) {
    MemorySpreadsheetHost host;
    auto wb = std::make_unique<MemoryWorkbook>("scheme.xlsx");
    MemoryWorksheet& s = wb->addSheet("GroundProfile");
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int row = 4 + static_cast<int>(i);
        s.load(row, 1, rows[i].a);
        s.load(row, 2, rows[i].b);
        s.load(row, 3, rows[i].c);
        s.load(row, 4, rows[i].d);
    }
    host.add(std::move(wb));
    return host;
}

TEST(GroundPoints, RunningChainagesRestartAtEveryHeaderRow) {
    MemorySpreadsheetHost host = hostWithRows({
        {std::string("2+000"), "Main", {}, {}},
        {std::string("x"), "IN1", 0.0, 1300.0},
        {{}, "P1", 25.0, 1295.0},
        {{}, "P2", 40.0, 1290.0},
        {std::string("0+500"), "Branch 2", {}, {}},
        {{}, "J1", 0.0, 1280.0},
        {{}, "T1", std::string("12 m"), 1270.0},
        {std::string("7+000"), "odd", 0.0, 0.0},  // a point row with C = D = 0 counts as a header
        {{}, "T2", 5.0, 1260.0},
    });
    RecordingUserInterface ui;
    GroundPoints p;
    ASSERT_TRUE(getGroundProfile(host, p, ui));
    EXPECT_EQ(p.chainages,
              (std::vector<double>{2000, 2000, 2025, 2065, 500, 500, 512, 7000, 7005}));
    EXPECT_EQ(p.labels[6], "T1");
    EXPECT_EQ(p.levels[3], 1290);
    EXPECT_EQ(p.last(), 8);
    EXPECT_TRUE(ui.events().empty());
    // Points before the first header count from zero.
    MemorySpreadsheetHost headless = hostWithRows({{{}, "A", 10.0, 100.0}, {{}, "B", 5.0, 101.0}});
    ASSERT_TRUE(getGroundProfile(headless, p, ui));
    EXPECT_EQ(p.chainages, (std::vector<double>{10, 15}));
}

TEST(GroundPoints, MissingSheetAndEmptySheet) {
    MemorySpreadsheetHost host;
    auto wb = std::make_unique<MemoryWorkbook>();
    wb->addSheet("Levelsurvey");
    host.add(std::move(wb));
    RecordingUserInterface ui;
    GroundPoints p;
    EXPECT_FALSE(getGroundProfile(host, p, ui));
    EXPECT_EQ(ui.messageTexts(),
              std::vector<std::string>{
                  "Please open the correct data file that contains the sheet named GroundProfile"});

    MemorySpreadsheetHost empty = hostWithRows({});
    RecordingUserInterface ui2;
    ASSERT_TRUE(getGroundProfile(empty, p, ui2));
    EXPECT_EQ(p.last(), -1);

    MemorySpreadsheetHost none;
    RecordingUserInterface ui3;
    EXPECT_FALSE(getGroundProfile(none, p, ui3));
    EXPECT_EQ(ui3.messageTexts(), std::vector<std::string>{"Excel application is not open"});
}

TEST(GroundPoints, AnUnreadableRowIsNamedAndTheRowsBeforeItStay) {
    MemorySpreadsheetHost host = hostWithRows(
        {{{}, "Main", {}, {}}, {{}, "A", 1.0, 100.0}, {{}, "B", std::string("1e999"), 100.0}});
    RecordingUserInterface ui;
    GroundPoints p;
    EXPECT_FALSE(getGroundProfile(host, p, ui));
    EXPECT_EQ(ui.messageTexts(),
              std::vector<std::string>{"Please check for the possible error at row number 6"});
    EXPECT_EQ(ui.events()[0].message.icon, Icon::None);
    EXPECT_EQ(p.last(), 1);
    EXPECT_EQ(p.levels.size(), p.labels.size());
}

}  // namespace
}  // namespace plovis
