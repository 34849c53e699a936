#include "schematic/network_range.h"

#include <gtest/gtest.h>

#include <iomanip>
#include <sstream>

#include "schematic/schematic_fixture.h"
#include "support/snapshot.h"
#include "support/ui_seen.h"

namespace plovis {
namespace {

using test::SchematicFixture;
using test::Section;
using namespace std::string_literals;

// What reading the range gave: the header, the row count, each branch as "title[lastItem]" with
// its items 0..lastItem as "from-to pipe direction length flow fromLevel toLevel", what the user
// saw, or the cell that could not serve.
std::string readReport(SchematicFixture& f) {
    SchematicState state;
    std::ostringstream s;
    try {
        s << "read " << readSchematicRange(f.sheets, state, f.ui) << "\n";
    } catch (const SchematicDataError& e) {
        return std::string("error: ") + e.what() + "\n";
    }
    s << state.schemeName << " | " << state.sourceName << " | " << state.safeYield << " | rows "
      << state.rowCount << "\n";
    for (const SchematicBranch& b : state.schematicBranches) {
        s << b.title << "[" << b.lastItem << "] of " << b.items.size() << "\n";
        for (int k = 0; k <= b.lastItem; ++k) {
            const SchematicItem& i = b.items.at(k);
            s << "  " << i.fromNode << "-" << i.toNode << " " << i.pipeLabel << " " << i.direction
              << " " << std::setprecision(9) << i.length << " " << i.flow << " " << i.fromLevel
              << " " << i.toLevel << "\n";
        }
    }
    for (const std::string& line : test::seen(f.ui))
        s << line << "\n";
    return s.str();
}

// A stretch with the pipe columns given.
void pipe(SchematicFixture& f, CellValue d1, CellValue c1, CellValue d2 = {}, CellValue c2 = {}) {
    f.section({"A", "B", 10, 1, "R", 0, 0, d1, c1, d2, c2});
}

void sections(SchematicFixture& f, int count) {
    for (int i = 0; i < count; ++i)
        f.section({"N" + std::to_string(i), "N" + std::to_string(i + 1)});
}

// Every way of reading a range, compared with the reviewed tests/schematic/golden/range.txt.
TEST(SchematicRange, ReadsLikeItsReviewedSnapshot) {
    using F = SchematicFixture;
    const struct {
        const char* name;
        void (*setup)(F&);
    } cases[] = {
        // clang-format off
        {"header with text yield", [](F& f) {
             f.sheet->load(6, 12, "12.5 l/s"s); sections(f, 2); f.select(); }},
        {"header without source or yield", [](F& f) {
             f.sheet->load(6, 9, CellValue{}); f.sheet->load(6, 12, CellValue{});
             f.select(16, 20); }},
        {"one row: no branch, the header all the same", [](F& f) { sections(f, 1); f.select(); }},
        {"two branches", [](F& f) {
             f.title("Main line");
             f.section({"IN1", "J1", 120.5, 2.5, "dl", 1500, 1450});
             f.section({"J1", "CC1", 80, 2.5, "R", 1450, 1400, 50.0, 10.0});
             f.title("Branch A");
             f.section({"J1", "T1", 60, 0.5, "D", 1450, 1420, 0.0, 0.0, 25.0, "M"s});
             f.section({"T1", "T2", 40, 0.25, "d", 1420, 1410, 0.0, 0.0, " 20 "s, "H"s});
             f.select(); }},
        {"a first data row titles the branch by its node", [](F& f) {
             sections(f, 2); f.select(); }},
        {"two title rows in a row: a branch of its empty item", [](F& f) {
             f.title("Empty"); f.title("Next"); sections(f, 1); f.select(); }},
        {"a branch of one item", [](F& f) {
             f.title("One"); sections(f, 1); f.title("Two"); sections(f, 2); f.select(); }},
        {"a branch longer than 201 items is read whole", [](F& f) {
             f.title("Long"); sections(f, 250); f.title("After"); f.section({"N249", "Z"});
             f.select(); }},
        // Numbers by their leading number in single precision; pipe labels from the plastic
        // columns, else the galvanised iron ones.
        {"numbers and pipe labels", [](F& f) {
             f.title("Pipes");
             f.section({"A", "B", 0, 0, "R", 1234.567891});
             f.sheet->load(f.nextRow - 1, 5, "12.7 m"s);
             f.sheet->load(f.nextRow - 1, 7, "abc"s);
             pipe(f, "63"s, "6 kg"s);
             pipe(f, 63.3, 10.0);
             pipe(f, 0.0, 0.0, 25.0, "M"s);
             pipe(f, {}, {}, 40.0, "H"s);
             pipe(f, "none"s, {}, "32"s, "L"s);
             pipe(f, {}, {});
             pipe(f, {}, {}, "  "s);
             sections(f, 1);
             f.select(); }},
        // A cell that cannot serve is named.
        {"diameter text", [](F& f) {
             sections(f, 2); f.sheet->load(17, 18, "25 mm"s); f.select(); }},
        {"length too large", [](F& f) { sections(f, 2); f.sheet->load(16, 5, 1e39); f.select(); }},
        {"length text too large", [](F& f) {
             sections(f, 2); f.sheet->load(16, 5, "2e400"s); f.select(); }},
        // clang-format on
    };
    std::string report;
    for (const auto& c : cases) {
        F f;
        c.setup(f);
        report += std::string("== ") + c.name + "\n" + readReport(f);
    }
    test::expectGolden(report, "schematic", "range");
}

// A whole-column selection is read as far as the sheet holds values: two rows, not a million.
TEST(SchematicRange, ReadsAWholeColumnAsFarAsTheSheetHoldsValues) {
    SchematicFixture f;
    sections(f, 2);
    f.select(16, kMaxRows);
    SchematicState state;
    ASSERT_TRUE(readSchematicRange(f.sheets, state, f.ui));
    EXPECT_EQ(test::seen(f.ui),
              (std::vector<std::string>{"status: Reading Excel Worksheet ' PD-CW-Sample '",
                                        "status: Reading Excel Rows  1 of  1048561",
                                        "status: Reading Excel Rows  2 of  1048561"}));
    EXPECT_EQ(state.schematicBranches.at(0).lastItem, 1);
}

// Cancel at the offer to start the spreadsheet ends the application (OK starts it: the schematic
// command's tests).
TEST(SchematicRange, NoWorkbookOpenAndCancelEndsTheApplication) {
    SchematicFixture f;
    SchematicState state;
    MemorySpreadsheetHost empty;
    f.ui.script({Answer::Cancel});
    EXPECT_THROW(readSchematicRange(empty, state, f.ui), ApplicationEnds);
    EXPECT_EQ(test::seen(f.ui).back(), "end");
    EXPECT_FALSE(empty.started());
}

}  // namespace
}  // namespace plovis
