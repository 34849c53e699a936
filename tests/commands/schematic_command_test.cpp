#include "commands/schematic_command.h"

#include <gtest/gtest.h>

#include "schematic/schematic_fixture.h"
#include "support/messages_shown.h"

namespace plovis {
namespace {

using test::entitiesOf;
using test::expectNear;
using test::Section;
using test::textNamed;

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
    std::vector<const CadBlockReference*> symbols() {
        return entitiesOf<CadBlockReference>(drawing());
    }
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

TEST(SchematicCommand, DrawsTheNetworkUnderItsTitleBlock) {
    NetworkFixture f;
    ASSERT_TRUE(f.run());
    EXPECT_TRUE(f.ui.messageTexts().empty());
    Drawing& d = f.drawing();
    EXPECT_NE(d.blocks().find("INTAKE_CC"), nullptr);  // the template's symbols came in
    EXPECT_EQ(test::textsOf(d),
              (std::vector<std::string>{"Scheme Name: Kaski Gravity Scheme", "Source: Dhara Khola",
                                        "Safe Yield = 0.850 lps", "63H(6)/120 m", "2.5 lps ",
                                        "50H(10)/80 m", "2.5 lps ", "25GI(M)/60 m", "0.5 lps "}));
    const std::vector<const CadLine*> lines = entitiesOf<CadLine>(d);
    ASSERT_EQ(lines.size(), 3u);
    expectNear(lines[0]->startPoint(), 0, 0);
    expectNear(lines[0]->endPoint(), 30, 0);
    expectNear(lines[1]->endPoint(), 60, 0);
    expectNear(lines[2]->startPoint(), 30, 0);  // the branch leaves the junction
    expectNear(lines[2]->endPoint(), 30, -30);
    EXPECT_EQ(entitiesOf<CadCircle>(d).size(), 3u);
    EXPECT_EQ(describe(f.symbols()),
              (std::vector<std::string>{"INTAKE IN1 @0,0", "JNO J1(RL=1450m) @30,0",
                                        "CC1 CC1(RL=1400m) @60,0", "TNO T1(RL=1420m) @30,-30"}));
    EXPECT_EQ(f.symbols()[0]->attributes()[1].textString(), "RL = 1500.00m");
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

TEST(SchematicCommand, TitleBlockTexts) {
    NetworkFixture f;
    f.sheet->load(6, 9, CellValue{});
    f.sheet->load(6, 12, std::string("12.5 l/s"));
    ASSERT_TRUE(f.run());
    const struct {
        const char* text;
        double y;
    } lines[] = {{"Scheme Name: Kaski Gravity Scheme", 22},
                 {"Source: ---", 18},
                 {"Safe Yield = 12.500 lps", 14}};
    for (const auto& l : lines) {
        const CadText& t = textNamed(f.drawing(), l.text);
        expectNear(t.textAlignmentPoint(), 0, l.y, l.text);
        EXPECT_EQ(t.height(), 2.5) << l.text;
        EXPECT_EQ(t.rotation(), 0.0) << l.text;
        EXPECT_EQ(t.horizontalAlignment(), HorizontalAlignment::Center) << l.text;
        EXPECT_EQ(t.verticalAlignment(), VerticalAlignment::Middle) << l.text;
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
    EXPECT_EQ(entitiesOf<CadLine>(f.drawing()).size(), 3u);
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
