// The three drawings made from the sample scheme workbook, in memory, with the template drawing
// shipped in data/: each completes without a message and shows the scheme, compared with the
// reviewed tests/sample/golden/sample_drawings.txt; a copy of the sample resaved by a second
// writer (openpyxl) draws the same profile.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <sstream>

#include "commands/ground_profile_dialog.h"
#include "commands/profile_command.h"
#include "commands/schematic_command.h"
#include "hosts/dxf/dxf_file.h"
#include "hosts/memory_cad_host.h"
#include "hosts/scripted_cad_utility.h"
#include "sample_fixture.h"
#include "support/golden_table.h"
#include "support/snapshot.h"

namespace plovis {
namespace {

// The sample with its design table selected from the first branch title down, and a drawing host
// that reads drawing files (the template among them) from the source tree's data/.
struct DrawingFixture : test::SampleFixture {
    ScriptedCadUtility utility;
    MemoryCadHost cad{utility, true, dxfFileReader()};
    ProfileCommand profile;

    explicit DrawingFixture(const std::filesystem::path& file = test::samplePath())
        : SampleFixture(file) {
        ::setenv("PLOVIS_DATA_DIR", (test::sourceDir() / "data").c_str(), 1);
        const int last = test::lastDesignRow(workbook->sheet("PD-CW-Sample"));
        workbook->setActiveSheet("PD-CW-Sample");
        workbook->setSelection({15, 2, last, 2});
    }
    // The profile of the selection on A3 at 1:5000 and 1:1000.
    bool drawProfile() {
        profile.templateFile = templateDrawingPath();
        return runProfileCommand(profile, {"5000", "1000", "A3"}, host, cad, ui);
    }
    // The messages shown and the drawing status, after what was drawn.
    std::string seen() {
        std::string out;
        for (const std::string& text : ui.messageTexts())
            out += "message: " + test::escapedLine(text) + "\n";
        return out + "status: " + ui.status(StatusLabel::DrawingStatus) + "\n";
    }
};

// The profile's sheets, then its symbols with their attributes, its static pressure line and
// its title lines (branch titles 2.5 high or more, sheet numbers, scales): the key entities among
// thousands.
std::string profileKeys(const Drawing& d) {
    std::string out;
    for (const DrawingSheet& s : d.sheets().list()) {
        char line[200];
        std::snprintf(line, sizeof line, "SHEET %s %s x %.3f..%.3f y %.3f\n", s.name.c_str(),
                      s.paper.name.c_str(), s.minX, s.maxX(), s.minY);
        out += line;
    }
    std::istringstream in(test::drawingSnapshot(d));
    bool attributes = false;
    for (std::string line; std::getline(in, line);) {
        const auto height = line.find(" h");
        const bool title =
            line.starts_with("TEXT ") && (std::stod(line.substr(height + 2)) >= 2.5 ||
                                          line.find("\"( Sheet No:") != std::string::npos ||
                                          line.find("\"Scale:") != std::string::npos);
        if (!line.starts_with("  ")) attributes = line.starts_with("INSERT ");
        if (attributes || title || line.find(" SPL ") != std::string::npos) out += line + "\n";
    }
    return out;
}

// The profile of every branch (titles on every sheet, the static pressure line restarting at
// the main line's break pressure tank, the nine tap stands, one A3 paper per sheet side by side,
// each scale text on its own paper); the schematic with its title block and symbols, every
// branch drawn from a node already placed; the existing ground profile on a sheet or more per
// branch.
TEST(SampleDrawings, TheProfileTheSchematicAndTheGroundProfile) {
    DrawingFixture f;
    ASSERT_TRUE(f.drawProfile());
    std::string report = "== profile\n" + profileKeys(*f.profile.cad.document) + f.seen();
    DrawingFixture g;
    ASSERT_TRUE(schematicCommand(g.host, g.cad, g.ui, templateDrawingPath()));
    report += "== schematic\n" + test::drawingSnapshot(g.cad.activeDocument()) + g.seen();
    DrawingFixture h;
    GroundProfileDialog dialog;
    dialog.selectPaper("A3");
    h.utility.pickPoint({0, 0, 0});
    const GroundProfileResult r = dialog.draw(h.cad, h.host, h.ui);
    report += "== ground profile\noutcome " + std::to_string(static_cast<int>(r.outcome)) + " " +
              r.failure + " sheets " + std::to_string(r.sheetsDrawn) + " closes " +
              std::to_string(dialog.closeRequested) + "\n" + h.seen();
    test::expectGolden(report, "sample", "sample_drawings");

    // A copy whose formulas carry no values (as a script writes it) draws the same profile.
    test::ScratchDir dir("openpyxl-sample");
    const std::string copy = (dir / "resaved.xlsx").string(),
                      script =
                          "/usr/bin/python3 -c \"import openpyxl, sys; "
                          "openpyxl.load_workbook(sys.argv[1]).save(sys.argv[2])\" '" +
                          test::samplePath().string() + "' '" + copy + "'";
    ASSERT_EQ(std::system(script.c_str()), 0);
    DrawingFixture resaved(copy);
    ASSERT_TRUE(resaved.drawProfile());
    EXPECT_EQ(test::drawingSnapshot(*resaved.profile.cad.document),
              test::drawingSnapshot(*f.profile.cad.document));
}

}  // namespace
}  // namespace plovis
