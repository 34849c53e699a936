#include "schematic/network_range.h"

#include <gtest/gtest.h>

#include <sstream>
#include <variant>

#include "schematic/schematic_fixture.h"
#include "support/message_boxes.h"

namespace plovis {
namespace {

using test::SchematicFixture;
using test::Section;

struct RangeFixture : SchematicFixture {
    SchematicState state;
    bool read() { return readSchematicRange(sheets, state, ui); }
    const SchematicBranch& branch(int b) const { return state.schematicBranches.at(b); }
    // Each branch as "title[lastItem]", then its items 0..lastItem as
    // " from-to pipe direction length flow fromLevel toLevel".
    std::vector<std::string> branches() const {
        std::vector<std::string> out;
        for (const SchematicBranch& b : state.schematicBranches) {
            out.push_back(b.title + "[" + std::to_string(b.lastItem) + "]");
            for (int k = 0; k <= b.lastItem; ++k) {
                const SchematicItem& i = b.items.at(k);
                std::ostringstream line;
                line << " " << i.fromNode << "-" << i.toNode << " " << i.pipeLabel << " "
                     << i.direction << " " << i.length << " " << i.flow << " " << i.fromLevel << " "
                     << i.toLevel;
                out.push_back(line.str());
            }
        }
        return out;
    }
};

TEST(SchematicRange, SchemeHeaderFromTheActiveSheet) {
    const struct {
        CellValue source, yield;
        const char *sourceName, *safeYield;
    } cases[] = {{std::string("Dhara Khola"), std::string("12.5 l/s"), "Dhara Khola", "12.5"},
                 {CellValue{}, CellValue{}, "---", "0"}};
    for (const auto& c : cases) {
        RangeFixture f;
        f.sheet->load(6, 9, c.source);
        f.sheet->load(6, 12, c.yield);
        f.select(16, 20);
        ASSERT_TRUE(f.read());
        EXPECT_EQ(f.state.schemeName, "Kaski Gravity Scheme");
        EXPECT_EQ(f.state.sourceName, c.sourceName);
        EXPECT_EQ(f.state.safeYield, c.safeYield);
    }
}

TEST(SchematicRange, TitleRowsOpenBranchesAndSectionsFillThem) {
    const struct {
        const char* name;
        std::vector<std::variant<std::string, Section>> rows;  // a string: a title row
        std::vector<std::string> branches;
    } cases[] = {
        {"two branches",
         {std::string("Main line"), Section{"IN1", "J1", 120.5, 2.5, "dl", 1500, 1450},
          Section{"J1", "CC1", 80, 2.5, "R", 1450, 1400, 50.0, 10.0}, std::string("Branch A"),
          Section{"J1", "T1", 60, 0.5, "D", 1450, 1420, 0.0, 0.0, 25.0, std::string("M")},
          Section{"T1", "T2", 40, 0.25, "d", 1420, 1410, 0.0, 0.0, std::string(" 20 "),
                  std::string("H")}},
         {"Main line[1]", " IN1-J1 63H(6) DL 120.5 2.5 1500 1450",
          " J1-CC1 50H(10) R 80 2.5 1450 1400", "Branch A[1]", " J1-T1 25GI(M) D 60 0.5 1450 1420",
          " T1-T2 20GI(H) D 40 0.25 1420 1410"}},
        {"a first data row titles the branch by its node",
         {Section{"R1", "R2"}, Section{"R2", "R3"}},
         {"R1[1]", " R1-R2 63H(6) R 100 1.5 1000 990", " R2-R3 63H(6) R 100 1.5 1000 990"}},
        {"two title rows in a row: a branch of its empty item",
         {std::string("Empty"), std::string("Next"), Section{"A", "B"}},
         {"Empty[0]", " -   0 0 0 0", "Next[0]", " A-B 63H(6) R 100 1.5 1000 990"}},
        {"a branch of one item keeps lastItem 0",
         {std::string("One"), Section{"A", "B"}, std::string("Two"), Section{"B", "C"},
          Section{"C", "D"}},
         {"One[0]", " A-B 63H(6) R 100 1.5 1000 990", "Two[1]", " B-C 63H(6) R 100 1.5 1000 990",
          " C-D 63H(6) R 100 1.5 1000 990"}},
    };
    for (const auto& c : cases) {
        RangeFixture f;
        for (const auto& row : c.rows) {
            if (const auto* title = std::get_if<std::string>(&row)) f.title(*title);
            if (const auto* s = std::get_if<Section>(&row)) f.section(*s);
        }
        f.select();
        ASSERT_TRUE(f.read()) << c.name;
        EXPECT_EQ(f.state.rowCount, static_cast<int>(c.rows.size())) << c.name;
        EXPECT_EQ(f.branches(), c.branches) << c.name;
    }
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

TEST(SchematicRange, ACellThatCannotServeIsNamed) {
    const struct {
        int row, column;
        CellValue value;
        const char* message;
    } cases[] = {
        {17, 18, std::string("25 mm"),
         "Sheet 'PD-CW-Sample', cell R17: \"25 mm\" is not a number (galvanised iron pipe "
         "diameter)"},
        {16, 5, 1e39,
         "Sheet 'PD-CW-Sample', cell E16: the number 1E+39 is too large (stretch length)"},
        {16, 5, std::string("2e400"),
         "Sheet 'PD-CW-Sample', cell E16: the number \"2e400\" is too large (stretch length)"},
    };
    for (const auto& c : cases) {
        RangeFixture f;
        f.section({"A", "B"});
        f.section({"B", "C"});
        f.sheet->load(c.row, c.column, c.value);
        f.select();
        try {
            f.read();
            ADD_FAILURE() << "accepted: " << c.message;
        } catch (const SchematicDataError& e) {
            EXPECT_EQ(std::string(e.what()), c.message);
        }
    }
}

TEST(SchematicRange, NoWorkbookOpenStartsTheHostOrEndsTheApplication) {
    RangeFixture f;
    MemorySpreadsheetHost empty;
    f.ui.script({Answer::Ok});
    EXPECT_FALSE(readSchematicRange(empty, f.state, f.ui));
    EXPECT_TRUE(empty.started());
    EXPECT_TRUE(empty.visible());
    EXPECT_EQ(
        test::messageBoxes(f.ui),
        std::vector<std::string>{"ok/cancel critical 'Error!!!' | Excel is Not Open! Click OK "
                                 "to Start Excel Then Open the Correct Excel Sheet and "
                                 "Select Range!."});
    const std::vector<UiEvent>& events = f.ui.events();
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[1].kind, UiEvent::Kind::WaitShown);
    EXPECT_EQ(events[1].caption, "Lunching Excel");
    EXPECT_EQ(events[1].waitLabel, "Lunching Excel");
    EXPECT_EQ(events[2].kind, UiEvent::Kind::WaitHidden);
    EXPECT_EQ(f.ui.status(StatusLabel::DrawingStatus), "Click Execute Once Again !");

    RangeFixture g;
    MemorySpreadsheetHost none;
    g.ui.script({Answer::Cancel});
    EXPECT_THROW(readSchematicRange(none, g.state, g.ui), ApplicationEnds);
    EXPECT_TRUE(g.ui.endRequested());
    EXPECT_FALSE(none.started());
}

}  // namespace
}  // namespace plovis
