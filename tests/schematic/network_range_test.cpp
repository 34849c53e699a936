#include "schematic/network_range.h"

#include <gtest/gtest.h>

#include "schematic/schematic_fixture.h"
#include "support/messages_shown.h"

namespace plovis {
namespace {

using test::SchematicFixture;
using test::Section;

struct RangeFixture : SchematicFixture {
    SchematicState state;
    bool read() { return readSchematicRange(sheets, state, ui); }
    const SchematicBranch& branch(int b) const { return state.schematicBranches.at(b); }
};

TEST(SchematicRange, SchemeHeaderFromTheActiveSheet) {
    RangeFixture f;
    f.sheet->load(6, 12, std::string("12.5 l/s"));
    f.select(16, 20);
    ASSERT_TRUE(f.read());
    EXPECT_EQ(f.state.schemeName, "Kaski Gravity Scheme");
    EXPECT_EQ(f.state.sourceName, "Dhara Khola");
    EXPECT_EQ(f.state.safeYield, "12.5");
}

TEST(SchematicRange, AnEmptySourceReadsAsDashes) {
    RangeFixture f;
    f.sheet->load(6, 9, CellValue{});
    f.sheet->load(6, 12, CellValue{});
    f.select(16, 17);
    ASSERT_TRUE(f.read());
    EXPECT_EQ(f.state.sourceName, "---");
    EXPECT_EQ(f.state.safeYield, "0");
}

TEST(SchematicRange, TitleRowsOpenBranchesAndSectionsFillThem) {
    RangeFixture f;
    f.title("Main line");
    f.section({"IN1", "J1", 120.5, 2.5, "dl", 1500, 1450});
    f.section({"J1", "CC1", 80, 2.5, "R", 1450, 1400, 50.0, 10.0});
    f.title("Branch A");
    f.section({"J1", "T1", 60, 0.5, "D", 1450, 1420, 0.0, 0.0, 25.0, std::string("M")});
    f.section(
        {"T1", "T2", 40, 0.25, "d", 1420, 1410, 0.0, 0.0, std::string(" 20 "), std::string("H")});
    f.select();
    ASSERT_TRUE(f.read());
    EXPECT_EQ(f.state.rowCount, 6);
    ASSERT_EQ(f.state.lastBranch(), 1);
    EXPECT_EQ(f.branch(0).title, "Main line");
    EXPECT_EQ(f.branch(0).lastItem, 1);
    const SchematicItem& first = f.branch(0).items.at(0);
    EXPECT_EQ(first.fromNode, "IN1");
    EXPECT_EQ(first.toNode, "J1");
    EXPECT_EQ(first.length, 120.5f);
    EXPECT_EQ(first.flow, 2.5f);
    EXPECT_EQ(first.direction, "DL");
    EXPECT_EQ(first.fromLevel, 1500.0f);
    EXPECT_EQ(first.toLevel, 1450.0f);
    EXPECT_EQ(first.pipeLabel, "63H(6)");
    EXPECT_EQ(f.branch(0).items.at(1).pipeLabel, "50H(10)");
    EXPECT_EQ(f.branch(1).title, "Branch A");
    EXPECT_EQ(f.branch(1).lastItem, 1);
    EXPECT_EQ(f.branch(1).items.at(0).pipeLabel, "25GI(M)");
    EXPECT_EQ(f.branch(1).items.at(1).pipeLabel, "20GI(H)");
    EXPECT_EQ(f.branch(1).items.at(1).direction, "D");
}

TEST(SchematicRange, ASelectionStartingOnADataRowMakesABranchTitledByItsNode) {
    RangeFixture f;
    f.section({"R1", "R2"});
    f.section({"R2", "R3"});
    f.select();
    ASSERT_TRUE(f.read());
    ASSERT_EQ(f.state.lastBranch(), 0);
    EXPECT_EQ(f.branch(0).title, "R1");
    EXPECT_EQ(f.branch(0).lastItem, 1);
}

TEST(SchematicRange, TwoTitleRowsInARowGiveABranchOfNoItems) {
    RangeFixture f;
    f.title("Empty");
    f.title("Next");
    f.section({"A", "B"});
    f.select();
    ASSERT_TRUE(f.read());
    ASSERT_EQ(f.state.lastBranch(), 1);
    EXPECT_EQ(f.branch(0).title, "Empty");
    EXPECT_EQ(f.branch(0).lastItem, 0);
    ASSERT_GE(f.branch(0).items.size(), 1u);  // its empty item 0 is drawn
    EXPECT_EQ(f.branch(0).items[0].fromNode, "");
    EXPECT_EQ(f.branch(0).items[0].pipeLabel, "");
    EXPECT_EQ(f.branch(1).lastItem, 0);
    EXPECT_EQ(f.branch(1).items.at(0).fromNode, "A");
}

TEST(SchematicRange, ABranchOfOneItemKeepsLastItemZero) {
    RangeFixture f;
    f.title("One");
    f.section({"A", "B"});
    f.title("Two");
    f.section({"B", "C"});
    f.section({"C", "D"});
    f.select();
    ASSERT_TRUE(f.read());
    EXPECT_EQ(f.branch(0).lastItem, 0);
    EXPECT_EQ(f.branch(0).items.at(0).toNode, "B");
    EXPECT_EQ(f.branch(1).lastItem, 1);
}

TEST(SchematicRange, ABranchLongerThanTwoHundredAndOneItemsIsReadWhole) {
    RangeFixture f;
    f.title("Long");
    for (int i = 0; i < 250; ++i)
        f.section({"N" + std::to_string(i), "N" + std::to_string(i + 1)});
    f.title("After");
    f.section({"N249", "Z"});
    f.select();
    ASSERT_TRUE(f.read());
    EXPECT_EQ(f.branch(0).lastItem, 249);
    ASSERT_EQ(f.branch(0).items.size(), 250u);
    EXPECT_EQ(f.branch(0).items[249].toNode, "N250");
    EXPECT_EQ(f.branch(1).items.at(0).fromNode, "N249");
}

TEST(SchematicRange, PipeLabelsFromPlasticOrGalvanisedIronColumns) {
    const struct {
        CellValue d1, c1, d2, c2;
        const char* label;
    } cases[] = {
        {63.0, 6.0, CellValue{}, CellValue{}, "63H(6)"},
        {std::string("63"), std::string("6 kg"), CellValue{}, CellValue{}, "63H(6)"},
        {63.3, 10.0, CellValue{}, CellValue{}, "63.3H(10)"},  // not 63.2999992370605
        {0.0, 0.0, 25.0, std::string("M"), "25GI(M)"},
        {CellValue{}, CellValue{}, 40.0, std::string("H"), "40GI(H)"},
        {std::string("none"), CellValue{}, std::string("32"), std::string("L"), "32GI(L)"},
        {CellValue{}, CellValue{}, CellValue{}, CellValue{}, "0GI()"},
        {CellValue{}, CellValue{}, std::string("  "), CellValue{}, "0GI()"},
    };
    for (const auto& c : cases) {
        RangeFixture f;
        f.section({"A", "B", 10, 1, "R", 0, 0, c.d1, c.c1, c.d2, c.c2});
        f.section({"B", "C"});
        f.select();
        ASSERT_TRUE(f.read());
        EXPECT_EQ(f.branch(0).items.at(0).pipeLabel, c.label);
    }
}

TEST(SchematicRange, NumbersAreReadByTheirLeadingNumberInSinglePrecision) {
    RangeFixture f;
    f.section({"A", "B"});
    f.sheet->load(16, 5, std::string("12.7 m"));
    f.sheet->load(16, 7, std::string("abc"));
    f.sheet->load(16, 9, 1234.567891);
    f.select(16, 17);
    ASSERT_TRUE(f.read());
    const SchematicItem& item = f.branch(0).items.at(0);
    EXPECT_EQ(item.length, 12.7f);
    EXPECT_EQ(item.flow, 0.0f);
    EXPECT_EQ(item.fromLevel, 1234.567891f);
}

TEST(SchematicRange, CaptionsNameTheSheetAndEveryRow) {
    RangeFixture f;
    f.title("T");
    f.section({"A", "B"});
    f.section({"B", "C"});
    f.select();
    ASSERT_TRUE(f.read());
    EXPECT_EQ(f.ui.captions(StatusLabel::DrawingStatus),
              (std::vector<std::string>{
                  "Reading Excel Worksheet ' PD-CW-Sample '", "Reading Excel Rows  1 of  3",
                  "Reading Excel Rows  2 of  3", "Reading Excel Rows  3 of  3"}));
    EXPECT_TRUE(f.ui.messageTexts().empty());
}

TEST(SchematicRange, ASelectionOfOneRowReadsNoBranch) {
    RangeFixture f;
    f.section({"A", "B"});
    f.select(16, 16);
    ASSERT_TRUE(f.read());
    EXPECT_EQ(f.state.rowCount, 1);
    EXPECT_EQ(f.state.lastBranch(), -1);
    EXPECT_EQ(f.state.schemeName, "Kaski Gravity Scheme");  // the header is read all the same
}

TEST(SchematicRange, AGalvanisedDiameterThatIsNoNumberNamesItsCell) {
    RangeFixture f;
    f.section({"A", "B"});
    f.section({"B", "C", 10, 1, "R", 0, 0, 0.0, 0.0, std::string("25 mm"), std::string("M")});
    f.select();
    try {
        f.read();
        FAIL() << "the diameter was accepted";
    } catch (const SchematicDataError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Sheet 'PD-CW-Sample', cell R17: \"25 mm\" is not a number (galvanised iron pipe "
                  "diameter)");
    }
}

TEST(SchematicRange, ANumberBeyondASingleFieldNamesItsCell) {
    const struct {
        CellValue value;
        const char* message;
    } cases[] = {
        {1e39, "Sheet 'PD-CW-Sample', cell E16: the number 1E+39 is too large (stretch length)"},
        {std::string("2e400"),
         "Sheet 'PD-CW-Sample', cell E16: the number \"2e400\" is too "
         "large (stretch length)"},
    };
    for (const auto& c : cases) {
        RangeFixture f;
        f.section({"A", "B"});
        f.section({"B", "C"});
        f.sheet->load(16, 5, c.value);
        f.select();
        try {
            f.read();
            ADD_FAILURE() << "the length was accepted";
        } catch (const SchematicDataError& e) {
            EXPECT_EQ(std::string(e.what()), c.message);
        }
    }
}

TEST(SchematicRange, NoWorkbookOpenStartsTheHostAndReadsNothing) {
    RangeFixture f;
    MemorySpreadsheetHost empty;
    f.ui.script({Answer::Ok});
    EXPECT_FALSE(readSchematicRange(empty, f.state, f.ui));
    EXPECT_TRUE(empty.started());
    EXPECT_TRUE(empty.visible());
    const std::vector<Message> shown = test::messagesShown(f.ui);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text,
              "Excel is Not Open! Click OK to Start Excel Then Open the Correct Excel Sheet and "
              "Select Range!.");
    EXPECT_EQ(shown[0].buttons, Buttons::OkCancel);
    EXPECT_EQ(shown[0].icon, Icon::Critical);
    EXPECT_EQ(shown[0].title, "Error!!!");
    const std::vector<UiEvent>& events = f.ui.events();
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[1].kind, UiEvent::Kind::WaitShown);
    EXPECT_EQ(events[1].caption, "Lunching Excel");
    EXPECT_EQ(events[1].waitLabel, "Lunching Excel");
    EXPECT_EQ(events[2].kind, UiEvent::Kind::WaitHidden);
    EXPECT_EQ(f.ui.status(StatusLabel::DrawingStatus), "Click Execute Once Again !");
}

TEST(SchematicRange, CancelWhenNoWorkbookIsOpenEndsTheApplication) {
    RangeFixture f;
    MemorySpreadsheetHost empty;
    f.ui.script({Answer::Cancel});
    EXPECT_THROW(readSchematicRange(empty, f.state, f.ui), ApplicationEnds);
    EXPECT_TRUE(f.ui.endRequested());
    EXPECT_FALSE(empty.started());
}

}  // namespace
}  // namespace plovis
