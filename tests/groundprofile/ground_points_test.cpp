#include "groundprofile/ground_points.h"

#include <gtest/gtest.h>

#include <sstream>

#include "doubles/recording_user_interface.h"
#include "hosts/memory_workbook.h"
#include "support/message_boxes.h"
#include "support/sheet_rows.h"
#include "support/snapshot.h"

namespace plovis {
namespace {

using namespace std::string_literals;

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

// The points read from each sheet as "label chainage distance level", or what stopped the reading,
// compared with tests/groundprofile/golden/points.txt. Chainages run from each header row (a row
// with C = D = 0 counts as one), and from zero before the first; the rows before an unreadable
// one stay.
TEST(GroundPoints, ReadLikeTheirReviewedSnapshot) {
    const struct {
        const char* name;
        std::vector<Row> rows;
        std::string sheet = "GroundProfile";
        bool workbook = true;
    } cases[] = {
        {"two branches",
         {{"2+000"s, "Main", {}, {}},
          {"x"s, "IN1", 0.0, 1300.0},
          {{}, "P1", 25.0, 1295.0},
          {{}, "P2", 40.0, 1290.0},
          {"0+500"s, "Branch 2", {}, {}},
          {{}, "J1", 0.0, 1280.0},
          {{}, "T1", "12 m"s, 1270.0},
          {"7+000"s, "odd", 0.0, 0.0},
          {{}, "T2", 5.0, 1260.0}}},
        {"no header", {{{}, "A", 10.0, 100.0}, {{}, "B", 5.0, 101.0}}},
        {"unreadable distance",
         {{{}, "Main", {}, {}}, {{}, "A", 1.0, 100.0}, {{}, "B", "1e999"s, 100.0}}},
        {"empty sheet", {}},
        {"no GroundProfile sheet", {{{}, "A", 10.0, 100.0}}, "Levelsurvey"},
        {"no workbook", {}, "", false},
    };
    std::ostringstream report;
    for (const auto& c : cases) {
        MemorySpreadsheetHost host;
        if (c.workbook) {
            MemoryWorksheet& s = host.add(std::make_unique<MemoryWorkbook>()).addSheet(c.sheet);
            for (std::size_t i = 0; i < c.rows.size(); ++i)
                test::loadRow(s, 4 + static_cast<int>(i), 1,
                              {c.rows[i].a, c.rows[i].b, c.rows[i].c, c.rows[i].d});
        }
        RecordingUserInterface ui;
        GroundPoints p;
        report << "== " << c.name << (getGroundProfile(host, p, ui) ? "" : " (not read)") << "\n";
        for (int i = 0; i <= p.last(); ++i) {
            report << p.labels[i] << " " << p.chainages[i] << " " << p.distances[i] << " "
                   << p.levels[i] << "\n";
        }
        for (const std::string& box : test::messageBoxes(ui))
            report << box << "\n";
    }
    test::expectGolden(report.str(), "groundprofile", "points");
}

}  // namespace
}  // namespace plovis
