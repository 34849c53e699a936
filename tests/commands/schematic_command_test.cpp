#include "commands/schematic_command.h"

#include <gtest/gtest.h>

#include "schematic/schematic_fixture.h"
#include "support/message_boxes.h"
#include "support/snapshot.h"

namespace plovis {
namespace {

using test::Section;

// A small network: a main line from an intake through a junction to a collection chamber, and a
// branch from the junction to a tap.
struct NetworkFixture : test::SchematicFixture {
    explicit NetworkFixture(bool cadRunning = true) : SchematicFixture(cadRunning) {
        title("Main line");
        section({"IN1", "J1", 120, 2.5, "R", 1500, 1450});
        section({"J1", "CC1", 80, 2.5, "R", 1450, 1400, 50.0, 10.0});
        title("Branch A");
        section({"J1", "T1", 60, 0.5, "D", 1450, 1420, 0.0, 0.0, 25.0, std::string("M")});
        select();
    }
    bool run() { return schematicCommand(sheets, cad, ui, templateFile); }
};

// The network under its title block, compared with its reviewed snapshot in
// tests/commands/golden: the branch leaves the junction downwards; symbols with their levels. A
// drawing host not running is started first. A second run draws the same again (nothing is left
// from the first); a run without a workbook then draws nothing and asks to execute once again.
TEST(SchematicCommand, DrawsTheNetworkUnderItsTitleBlock) {
    const struct {
        const char* golden;
        CellValue source, yield;
        bool cadRunning;
    } scenarios[] = {{"small_network", std::string("Dhara Khola"), 0.85, true},
                     {"small_network_without_source", CellValue{}, std::string("12.5 l/s"), false}};
    std::vector<std::string> captions{"Reading Excel Worksheet ' PD-CW-Sample '"};
    for (int row = 1; row <= 5; ++row)
        captions.push_back("Reading Excel Rows  " + std::to_string(row) + " of  5");
    captions.insert(captions.end(), 2, "Drawing in AutoCAD is completed.");
    for (const auto& s : scenarios) {
        SCOPED_TRACE(s.golden);
        NetworkFixture f(s.cadRunning);
        f.sheet->load(6, 9, s.source);
        f.sheet->load(6, 12, s.yield);
        ASSERT_TRUE(f.run());
        EXPECT_TRUE(f.ui.messageTexts().empty());
        if (!s.cadRunning) {
            EXPECT_TRUE(f.cad.started());
            EXPECT_EQ(f.ui.events().at(0).caption, "Lunching AutoCad...");
        }
        Drawing& d = f.drawing();
        const std::string first = test::drawingSnapshot(d);
        test::expectGolden(first, "commands", s.golden);
        EXPECT_NE(d.blocks().find("INTAKE_CC"), nullptr);  // the template's symbols came in
        if (s.cadRunning) {
            EXPECT_EQ(d.activeTextStyle().name(), "romans");
            EXPECT_NE(d.textStyles().find("romand"), nullptr);
        }
        EXPECT_EQ(f.ui.captions(StatusLabel::DrawingStatus), captions);
        EXPECT_TRUE(f.ui.captions(StatusLabel::MainStatus).empty());
        ASSERT_TRUE(f.run());
        EXPECT_EQ(test::drawingSnapshot(d), first + first);
        MemorySpreadsheetHost empty;
        f.ui.script({Answer::Ok});
        EXPECT_FALSE(schematicCommand(empty, f.cad, f.ui, f.templateFile));
        EXPECT_EQ(test::drawingSnapshot(d), first + first);  // nothing from the last run's counts
        EXPECT_EQ(f.ui.messageTexts().size(), 1u);           // no "Selection range" message either
        EXPECT_TRUE(empty.started());
        EXPECT_EQ(f.ui.status(StatusLabel::DrawingStatus), "Click Execute Once Again !");
    }
}

// A selection of one row, or a cell that cannot serve, is one message and nothing is drawn.
TEST(SchematicCommand, ABadSelectionOrCellIsNamedAndNothingIsDrawn) {
    const struct {
        int firstRow, lastRow, badRow;  // 0: the whole network selected; no bad cell
        const char* shown;
    } cases[] = {
        {17, 17, 0, "ok information 'ERROR' | Selection range is not correct."},
        {0, 0, 20,
         "ok critical 'Error!!!' | Sheet 'PD-CW-Sample', cell R20: \"one inch\" is not a "
         "number (galvanised iron pipe diameter)"},
    };
    for (const auto& c : cases) {
        NetworkFixture f;
        if (c.firstRow) f.select(c.firstRow, c.lastRow);
        if (c.badRow) f.sheet->load(c.badRow, 18, std::string("one inch"));  // galvanised tap line
        EXPECT_FALSE(f.run());
        EXPECT_EQ(test::messageBoxes(f.ui), std::vector<std::string>{c.shown});
        EXPECT_EQ(f.drawing().modelSpace().count(), 0u);
    }
}

TEST(SchematicCommand, AMissingTemplateEndsTheApplication) {
    NetworkFixture f;
    EXPECT_THROW(schematicCommand(f.sheets, f.cad, f.ui, f.dir / "missing.dwg"), ApplicationEnds);
    EXPECT_EQ(
        f.ui.messageTexts(),
        (std::vector<std::string>{"The Template Drawing File 'Pipe-des-blank.dwg' is not Found!"}));
    EXPECT_TRUE(f.ui.endRequested());
}

}  // namespace
}  // namespace plovis
