#include "commands/profile_command.h"

#include <gtest/gtest.h>

#include "profile_fixture.h"
#include "support/failure_text.h"
#include "support/snapshot.h"

namespace plovis {
namespace {

using test::DesignRow;
using test::ProfileFixture;
using test::section;
using test::titleRow;

std::vector<DesignRow> mainLine() {
    return {titleRow("Main line"), section("IN1", "BPC1", 300, 1300, 1290, 1300, 1300, 1290),
            section("BPC1", "J1", 400, 1260, 1230, 1260, 1260, 1250),
            section("J1", "T1", 200, 1230, 1220, 1260, 1250, 1245)};
}

std::vector<DesignRow> operator+(std::vector<DesignRow> a, const std::vector<DesignRow>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Each run as the user saw it, compared with tests/profile/golden/command_runs.txt, and each
// drawing with its reviewed snapshot in tests/profile/golden.
TEST(ProfileCommand, RunsLikeTheirReviewedSnapshots) {
    using F = ProfileFixture;
    const struct {
        const char* name;
        void (*setup)(F&);
        const char* golden = nullptr;  // the drawing's
    } cases[] = {
        // clang-format off
        // The sheet 250 right of the origin, the first node 5 further; symbols on the nodes'
        // ground, one run each of flow, pipe and soil; the chainage figures read upwards.
        {"one branch", [](F& f) { f.rows(mainLine()); }, "one_branch_a4"},
        // A second run draws the same from the same origin over the first.
        {"a second run", [](F& f) { f.rows(mainLine()); f.run(); }, "one_branch_a4_twice"},
        // The static line rises at the break pressure chamber, not at the junction.
        {"static line", [](F& f) { f.rows({titleRow("Main line"),
             section("IN1", "J1", 300, 1300, 1280, 1300, 1300, 1290),
             section("J1", "BPC1", 300, 1280, 1260, 1280, 1290, 1280),
             section("BPC1", "T1", 300, 1260, 1240, 1260, 1260, 1250)}); },
         "static_line_rises_at_bpc"},
        // Chainage carries over three sheets and starts again from 0 on branch 2.
        {"chainage over sheets", [](F& f) { f.rows({titleRow("Main line"),
             section("A", "B", 1000, 1300, 1290, 1310, 1310, 1300),
             section("B", "C", 1000, 1290, 1280, 1310, 1300, 1290),
             section("C", "D", 1000, 1280, 1270, 1310, 1290, 1280), titleRow("Branch 2"),
             section("D", "E", 500, 1270, 1260, 1280, 1280, 1275)}); }, "chainage_over_sheets"},
        // Branch 2 fits beside branch 1 (60 + 60 < 230); branch 3 takes a new paper.
        {"short branches", [](F& f) { f.rows({titleRow("Main line"),
             section("A", "B", 300, 1300, 1290, 1310, 1310, 1305), titleRow("Branch 2"),
             section("B", "C", 300, 1290, 1280, 1310, 1305, 1300), titleRow("Branch 3"),
             section("C", "D", 600, 1280, 1270, 1310, 1300, 1290)}); }, "short_branches_packed"},
        // The grade line 180 m and the static line 255 m above the ground: both are broken
        // on the level axis and drawn lower.
        {"datum breaks", [](F& f) { f.rows({titleRow("Main line"),
             section("A", "B", 100, 1245.3, 1240, 1500, 1395, 1380)}); }, "datum_breaks"},
        // No frame on other papers; the scale text at the A3 width.
        {"A3", [](F& f) { f.inputs.paper = "A3"; f.rows(mainLine()); }, "a3_without_frame"},
        // The ground line through six points; P2 lies 0.4 beyond P1 and gets no figures; one
        // interval more below and above.
        {"ground line", [](F& f) { f.rows(mainLine()); f.ground({{"in1", 0, 1300},
             {"P1", 150, 1275.5}, {"P2", 2, 1274}, {"BPC1", 148, 1260}, {"J1", 400, 1230},
             {"T1", 200, 1220}}); }, "ground_profile_line"},
        // Rows before the first title are read but not drawn: the main line alone.
        {"rows before the first title", [](F& f) {
             f.rows(std::vector{section("X1", "X2", 100, 1300, 1290, 1300)} + mainLine()); },
         "one_branch_a4"},
        // A branch without title is skipped with its message: the main line alone.
        {"branch without title", [](F& f) {
             f.rows(mainLine() + std::vector{titleRow("  "),
                                             section("T1", "T2", 100, 1220, 1215, 1260)}); },
         "one_branch_a4"},
        {"no title row", [](F& f) { f.rows({section("A", "B", 100, 1300, 1290, 1300),
             section("B", "C", 100, 1290, 1280, 1300)}); }},
        {"last end node empty", [](F& f) { f.rows({titleRow("T"),
             section("A", "B", 100, 1300, 1290, 1300), section("B", "", 100)}); }},
        // Data that cannot be drawn ends the application with one message.
        {"galvanised class a number", [](F& f) { f.rows(mainLine());
             f.design->load(18, 2 + 16, 50.0); f.design->load(18, 2 + 17, 6.0); }},
        {"scale no number", [](F& f) { f.inputs.vscale = "abc"; f.rows(mainLine()); }},
        {"more than 24 sheets", [](F& f) {
             f.rows(std::vector{titleRow("Long")} +
                    std::vector(25, section("P", "Q", 1150, 1300, 1290, 1300))); }},
        {"workbook without the scheme mark", [](F& f) {
             f.rows(mainLine());
             f.other.add(std::make_unique<MemoryWorkbook>("other.xlsx")).addSheet("PD-CW-Sample");
             f.host = &f.other; }},
        {"no workbook, OK starts the spreadsheet", [](F& f) {
             f.host = &f.other; f.ui.script({Answer::Ok}); }},
        {"no workbook, Cancel", [](F& f) { f.host = &f.other; f.ui.script({Answer::Cancel}); }},
        // Two columns selected: asked again, and the selection made again is drawn.
        {"invalid selection", [](F& f) {
             f.rows(mainLine());
             f.workbook->setSelection({16, 2, 19, 3});
             f.ui.script({Answer::Ok});
             f.command.reselect = [&f] {
                 f.workbook->setSelection({16, 2, 19, 2});
                 return true;
             }; }},
        // clang-format on
    };
    std::string report;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        F f;
        c.setup(f);
        report += std::string("== ") + c.name + "\n" + f.run();
        if (c.golden) test::expectGoldenDrawing(*f.command.cad.document, "profile", c.golden);
    }
    test::expectGolden(report, "profile", "command_runs");
}

// A whole-column selection is read two rows past the sheet's last used row, where the check of
// the node labels stops it as it would a million rows further.
TEST(ProfileCommand, ReadsAWholeColumnNoFurtherThanItsCheckNeeds) {
    ProfileFixture f;
    f.rows(mainLine());
    f.workbook->setSelection({16, 2, kMaxRows, 2});
    const std::string run = f.run();
    EXPECT_NE(run.find("Error occured at the row number 21"), std::string::npos) << run;
    EXPECT_NE(run.find("Reading Excel Rows  6 of  6\n"), std::string::npos) << run;
}

// A ground level typed as -1e10 would put a billion figures on the level axis: the drawing is
// refused before its first sheet, naming the sheet.
TEST(ProfileCommand, RefusesADrawingBeyondItsLimitsBeforeDrawing) {
    ProfileFixture f;
    f.rows({titleRow("Main line"), section("A", "B", 300, 1300, -1e10, 1310, 1310, 1305)});
    EXPECT_EQ(test::failureText<DrawingTooLarge>([&] { f.run(); }),
              "Branch Main line, sheet 1: levels from -10000000010 to 1320 m gives more than "
              "5,000,000 entities");
    EXPECT_EQ(f.drawing().modelSpace().count(), 0u);
}

}  // namespace
}  // namespace plovis
