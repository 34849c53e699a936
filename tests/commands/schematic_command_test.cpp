#include "commands/schematic_command.h"

#include <gtest/gtest.h>

#include "schematic/schematic_fixture.h"
#include "support/messages_shown.h"
#include "support/snapshot.h"

namespace plovis {
namespace {

using test::drawn;
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
    std::vector<const CadBlockReference*> symbols() { return drawn<CadBlockReference>(drawing()); }
};

// Each symbol as "<block> <first attribute> @x,y".
std::vector<std::string> describe(const std::vector<const CadBlockReference*>& refs) {
    std::vector<std::string> out;
    for (const CadBlockReference* r : refs) {
        const Point p = r->insertionPoint();
        out.push_back(r->name() + " " + r->attributes()[0].textString() + " @" +
                      std::to_string(static_cast<int>(std::lround(p.x))) + "," +
                      std::to_string(static_cast<int>(std::lround(p.y))));
    }
    return out;
}

// The network under its title block, compared with its reviewed snapshot in
// tests/commands/golden: the branch leaves the junction downwards; symbols with their levels.
TEST(SchematicCommand, DrawsTheNetworkUnderItsTitleBlock) {
    const struct {
        const char* golden;
        CellValue source, yield;
    } scenarios[] = {{"small_network", std::string("Dhara Khola"), 0.85},
                     {"small_network_without_source", CellValue{}, std::string("12.5 l/s")}};
    for (const auto& s : scenarios) {
        SCOPED_TRACE(s.golden);
        NetworkFixture f;
        f.sheet->load(6, 9, s.source);
        f.sheet->load(6, 12, s.yield);
        ASSERT_TRUE(f.run());
        EXPECT_TRUE(f.ui.messageTexts().empty());
        Drawing& d = f.drawing();
        test::expectGoldenDrawing(d, "commands", s.golden);
        EXPECT_NE(d.blocks().find("INTAKE_CC"), nullptr);  // the template's symbols came in
        EXPECT_EQ(d.activeTextStyle().name(), "romans");
        EXPECT_NE(d.textStyles().find("romand"), nullptr);
        EXPECT_EQ(f.ui.captions(StatusLabel::DrawingStatus),
                  (std::vector<std::string>{
                      "Reading Excel Worksheet ' PD-CW-Sample '", "Reading Excel Rows  1 of  5",
                      "Reading Excel Rows  2 of  5", "Reading Excel Rows  3 of  5",
                      "Reading Excel Rows  4 of  5", "Reading Excel Rows  5 of  5",
                      "Drawing in AutoCAD is completed.", "Drawing in AutoCAD is completed."}));
        EXPECT_TRUE(f.ui.captions(StatusLabel::MainStatus).empty());
    }
}

TEST(SchematicCommand, ASelectionOfOneRowIsRefused) {
    NetworkFixture f;
    f.select(17, 17);
    EXPECT_FALSE(f.run());
    const std::vector<Message> shown = test::messagesShown(f.ui);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Selection range is not correct.");
    EXPECT_EQ(shown[0].title, "ERROR");
    EXPECT_EQ(shown[0].icon, Icon::Information);
    EXPECT_EQ(shown[0].buttons, Buttons::Ok);
    EXPECT_EQ(f.drawing().modelSpace().count(), 0u);
}

TEST(SchematicCommand, WithoutAWorkbookTheCommandEndsAfterStartingTheHost) {
    NetworkFixture f;
    ASSERT_TRUE(f.run());  // a previous run with a range of five rows
    const std::size_t drawn = f.drawing().modelSpace().count();
    MemorySpreadsheetHost empty;
    f.ui.script({Answer::Ok});
    EXPECT_FALSE(schematicCommand(empty, f.cad, f.ui, f.templateFile));
    EXPECT_EQ(f.drawing().modelSpace().count(), drawn);  // nothing from the previous run's counts
    EXPECT_EQ(f.ui.messageTexts().size(), 1u);           // no "Selection range" message either
    EXPECT_TRUE(empty.started());
    EXPECT_EQ(f.ui.status(StatusLabel::DrawingStatus), "Click Execute Once Again !");
}

TEST(SchematicCommand, ASecondRunDrawsTheSameNetworkAgain) {
    NetworkFixture f;
    ASSERT_TRUE(f.run());
    const std::vector<std::string> first = describe(f.symbols());
    ASSERT_TRUE(f.run());
    const std::vector<std::string> both = describe(f.symbols());
    ASSERT_EQ(both.size(), 2 * first.size());
    // The intake is drawn forward again, from the same place: no mark is left from the first run.
    EXPECT_EQ(std::vector<std::string>(both.begin() + first.size(), both.end()), first);
}

TEST(SchematicCommand, ACellThatCannotServeIsNamedAndNothingIsDrawn) {
    NetworkFixture f;
    f.sheet->load(20, 18, std::string("one inch"));  // galvanised diameter of the tap line
    EXPECT_FALSE(f.run());
    const std::vector<Message> shown = test::messagesShown(f.ui);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text,
              "Sheet 'PD-CW-Sample', cell R20: \"one inch\" is not a number (galvanised iron pipe "
              "diameter)");
    EXPECT_EQ(shown[0].icon, Icon::Critical);
    EXPECT_EQ(shown[0].title, "Error!!!");
    EXPECT_EQ(f.drawing().modelSpace().count(), 0u);
}

TEST(SchematicCommand, AMissingTemplateEndsTheApplication) {
    NetworkFixture f;
    EXPECT_THROW(schematicCommand(f.sheets, f.cad, f.ui, f.dir / "missing.dwg"), ApplicationEnds);
    EXPECT_EQ(
        f.ui.messageTexts(),
        (std::vector<std::string>{"The Template Drawing File 'Pipe-des-blank.dwg' is not Found!"}));
    EXPECT_TRUE(f.ui.endRequested());
}

TEST(SchematicCommand, ADrawingHostNotRunningIsStartedAndDrawnInto) {
    NetworkFixture f(/*cadRunning=*/false);
    ASSERT_TRUE(f.run());
    EXPECT_TRUE(f.cad.started());
    EXPECT_EQ(f.ui.events().at(0).kind, UiEvent::Kind::WaitShown);
    EXPECT_EQ(f.ui.events().at(0).caption, "Lunching AutoCad...");
    EXPECT_EQ(drawn<CadLine>(f.drawing()).size(), 3u);
}

TEST(SchematicCommand, ASymbolMissingFromTheTemplateIsAHostFailure) {
    NetworkFixture f;  // the template of this host has the intake only, not the junction
    MemoryCadHost bare(f.utility, true, [](const std::filesystem::path& path) {
        auto d = std::make_unique<Drawing>(path.filename().string());
        d->blocks().add("INTAKE", {}).addAttribute(1, kAttributeNormal, "", {}, "NAME", "");
        d->blocks().item("INTAKE").addAttribute(1, kAttributeNormal, "", {}, "RL", "");
        return d;
    });
    EXPECT_THROW(schematicCommand(f.sheets, bare, f.ui, f.templateFile), HostError);
}

}  // namespace
}  // namespace plovis
