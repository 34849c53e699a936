#include "commands/ground_profile_dialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "ground_fixture.h"
#include "support/message_boxes.h"
#include "support/snapshot.h"
#include "support/ui_seen.h"

namespace plovis {
namespace {

using test::DialogFixture;

// What the user and the drawing saw of a draw: the outcome, whether the dialog closes, the
// prompts, captions and messages, and each ground line (a long one by its ends and length).
std::string drawReport(DialogFixture& f) {
    static const char* const outcomes[] = {"drawn",         "no CAD host",      "invalid input",
                                           "pick declined", "no ground points", "too few rows",
                                           "drawing failed"};
    const GroundProfileResult r = f.dialog.draw(f.cad, f.spreadsheet, f.ui);
    std::string s = std::string(outcomes[static_cast<int>(r.outcome)]) + " " + r.invalidBox +
                    " sheets " + std::to_string(r.sheetsDrawn) +
                    (f.dialog.closeRequested ? " closes" : " stays open") +
                    (f.cad.started() ? " CAD started" : "") + "\n";
    if (!r.failure.empty()) s += "failure: " + r.failure + "\n";
    for (const std::string& p : f.utility.prompts())
        s += "prompt: " + p + "\n";
    for (const std::string& line : test::seen(f.ui))
        s += line + "\n";
    for (const std::string& box : test::messageBoxes(f.ui))
        s += box + "\n";
    if (!f.cad.documentCount()) return s;
    std::istringstream drawing(test::drawingSnapshot(f.cad.activeDocument()));
    for (std::string line; std::getline(drawing, line);) {
        if (!line.starts_with("PLINE GL")) continue;
        const auto points = std::to_string(std::count(line.begin(), line.end(), ' ') - 2);
        s += line.size() < 300 ? line
                               : line.substr(0, 40) + " ..." + line.substr(line.rfind(' ')) + " (" +
                                     points + " points)";
        s += "\n";
    }
    return s;
}

// Every way a draw ends, compared with the reviewed tests/groundprofile/golden/dialog.txt. The
// sheets of a branch lie in one row from the picked point cut down to whole units, 350 apart;
// how a branch is cut into sheets is the layout's and how a sheet looks the sheet drawing's.
TEST(GroundProfileDialog, DrawsLikeItsReviewedSnapshot) {
    using F = DialogFixture;
    const struct {
        const char* name;
        void (*setup)(F&);
        bool cadRunning = true;
    } cases[] = {
        // clang-format off
        {"no CAD host: a message, the dialog stays open", [](F& f) { f.main(); }, false},
        // Invalid boxes close the dialog without a message or a pick.
        {"hscale 0.5", [](F& f) { f.main(); f.dialog.boxes.hscale = "0.5"; }},
        {"hscale abc", [](F& f) { f.main(); f.dialog.boxes.hscale = "abc"; }},
        {"vscale empty", [](F& f) { f.main(); f.dialog.boxes.vscale = ""; }},
        {"text size 0", [](F& f) { f.main(); f.dialog.boxes.txtSize = "0"; }},
        {"text size 1.8 mm", [](F& f) { f.main(); f.dialog.boxes.txtSize = "1.8 mm"; }},
        {"paper length -700", [](F& f) { f.main(); f.dialog.boxes.txtPaperLength = "-700"; }},
        {"paper length 1e999", [](F& f) { f.main(); f.dialog.boxes.txtPaperLength = "1e999"; }},
        // A cancelled pick asks to pick again: only Y or y do.
        {"repick N", [](F& f) { f.utility.cancelPick(); f.utility.typeString("N"); f.main(); }},
        {"repick n", [](F& f) { f.utility.cancelPick(); f.utility.typeString("n"); f.main(); }},
        {"repick empty", [](F& f) { f.utility.cancelPick(); f.utility.typeString(""); f.main(); }},
        {"repick yes", [](F& f) { f.utility.cancelPick(); f.utility.typeString("yes"); f.main(); }},
        {"repick cancelled", [](F& f) { f.utility.cancelPick(); f.main(); }},
        {"repick Y", [](F& f) { f.utility.cancelPick(); f.utility.typeString("Y"); f.main(); }},
        {"repick y", [](F& f) { f.utility.cancelPick(); f.utility.typeString("y"); f.main(); }},
        // Ground points that cannot be read keep the dialog open.
        {"header row only", [](F& f) {
             f.ground->load(4, 2, std::string("Main")); f.utility.pickPoint({}); }},
        {"no rows", [](F& f) { f.utility.pickPoint({}); }},
        {"no GroundProfile sheet", [](F& f) {
             f.spreadsheet.add(std::make_unique<MemoryWorkbook>("other.xlsx")).addSheet("Sheet1");
             f.utility.pickPoint({}); }},
        // Three sheets of 3500 of chainage, the pick (100.7, 50.2) cut down to (100, 50).
        {"sheets of a branch", [](F& f) {
             f.branch("Main", 8000, 1000); f.utility.pickPoint({100.7, 50.2, 0}); }},
        // A branch of one point is skipped; the pick (-3.5, -0.2) is cut down to (-4, -1).
        {"one point branch skipped", [](F& f) {
             f.branch("Main", 1000, 500); f.branch("Single", 0, 1); f.branch("Branch 3", 200, 200);
             f.utility.pickPoint({-3.5, -0.2, 0}); }},
        {"paper ALL: a branch a sheet", [](F& f) {
             f.dialog.selectPaper("ALL"); f.branch("Main", 8000, 1000); f.branch("Spur", 4000, 500);
             f.utility.pickPoint({}); }},
        // A level typed wrongly (two hundred thousand level lines): the sheets drawn stay.
        {"failure while drawing", [](F& f) {
             f.main(); f.branch("Broken", 10, 10); f.point("B3", 0, 2e6); }},
        // More rows than a sixteen-bit counter holds, 3500 of chainage a sheet.
        {"33001 rows", [](F& f) { f.branch("Long", 33000, 1); f.utility.pickPoint({}); }},
        // clang-format on
    };
    std::string report;
    for (const auto& c : cases) {
        F f(c.cadRunning);
        c.setup(f);
        report += std::string("== ") + c.name + " (paper " + f.dialog.boxes.txtPaperLength +
                  ", gap " + f.dialog.boxes.txtGap + ")\n" + drawReport(f);
    }
    test::expectGolden(report, "groundprofile", "dialog");
}

}  // namespace
}  // namespace plovis
