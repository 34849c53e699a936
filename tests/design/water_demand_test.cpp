#include "design/water_demand.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "common/number_format.h"
#include "design/design_fixture.h"
#include "support/message_boxes.h"
#include "support/snapshot.h"

namespace plovis {
namespace {

using test::DesignFixture;

// Columns of "Water Demand".
enum : int { B = 2, F = 6, G, H, I, J, K, L, M, N, O, P, Q, R, S };

const std::vector<std::string> kDone{"ok | Congratulation computation is successful"};

// The value the row rule gives a column, or "kept" when it leaves the column out, "empty" when it
// empties it.
std::string written(const std::vector<CellWrite>& cells, int column) {
    for (const CellWrite& c : cells) {
        if (c.column == column) return c.value ? generalForm(*c.value) : "empty";
    }
    return "kept";
}

// The row rule's columns G H I L N O P Q R S in one text, as written() gives them.
std::string row(const std::vector<CellWrite>& cells) {
    std::string out;
    for (int column : {G, H, I, L, N, O, P, Q, R, S})
        out += (out.empty() ? "" : " ") + written(cells, column);
    return out;
}

// The row with the columns the expected text marks "." left out.
std::string rowAsExpected(const std::string& actual, const std::string& expected) {
    std::istringstream a(actual), e(expected);
    std::string out, x, y;
    while (a >> x && e >> y)
        out += (out.empty() ? "" : " ") + (y == "." ? y : x);
    return out;
}

TEST(DemandRow, ColumnsGToSFromTheConstantsAndTheRowsCounts) {
    // clang-format off
    const struct {
        DemandInputs in; std::int32_t pop, units; double fixed, other; const char* row;
    } cases[] = {
        // populations are counted up to the next whole head: 100 × 1.02^15 = 134.59 -> 135;
        // O: 6075 / 86400 = 0.0703
        {{0.02, 0, 15, 3, 45, 0, 0.1}, 100, 0, 0, 0, "100 135 6075 empty 6075 0.07 3 0.21 0.21 3"},
        // an exact projection is not counted up by binary noise: 100 × 1.1 = 110.00000000000001,
        // 100 × 1.21 = 121.00000000000001; a real fraction still is: 100 × 1.1^3 = 133.1
        {{0.1, 1, 1, 3, 45, 0, 0.1}, 100, 0, 0, 0, "110 121 . . . . . . . ."},
        {{0.1, 3, 0, 3, 45, 0, 0.1}, 100, 0, 0, 0, "134 . . . . . . . . ."},
        // 250 × 1.03^5 = 289.82 -> 290; × 1.03^20 = 451.53 -> 452; 452 × 42.5 = 19210 exactly;
        // 451 × 2.5 = 1127.5: a remainder of one half rounds down
        {{0.03, 5, 15, 2, 42.5, 0, 0}, 250, 0, 0, 0, "290 452 19210 . . . . . . ."},
        {{0, 0, 0, 2, 2.5, 0, 0}, 451, 0, 0, 0, ". . 1127 . . . . . . ."},
        // flows above and below the minimum; 30 / 86400 rounds to 0.000 but is a demand: the
        // minimum flow, and no ratio to an average of 0
        {{0, 0, 0, 3, 0, 0, 0.1}, 0, 0, 0, 8640, "empty empty empty empty 8640 0.1 3 0.3 0.3 3"},
        {{0, 0, 0, 3, 0, 0, 0.1}, 0, 0, 0, 864, "empty empty empty empty 864 0.01 3 0.03 0.1 10"},
        {{0, 0, 0, 3, 0, 0, 0.1}, 0, 0, 0, 30, "empty empty empty empty 30 0 3 0 0.1 empty"},
        // the unit demand rounds halves to even (2.5 -> 2, 3.5 -> 4); rounded to 0 or below, L
        // keeps what it held, and N and S have nothing to carry
        {{0, 0, 0, 3, 0, 2, 0.1}, 0, 1, 0.5, 0, ". . . 2 2 . . . . ."},
        {{0, 0, 0, 3, 0, 2, 0.1}, 0, 1, 1.5, 0, ". . . 4 4 . . . . ."},
        {{0, 0, 0, 3, 0, 2, 0.1}, 0, 3, 0, 0, ". . . 6 6 . . . . ."},
        {{0, 0, 0, 3, 0, 2, 0.1}, 0, 0, 0.4, 0, ". . . kept empty . . . . empty"},
        {{0, 0, 0, 3, 0, 2, 0.1}, 0, -2, 1, 0, ". . . kept empty . . . . empty"},
        {{0, 0, 0, 3, 0, 2, 0.1}, 0, 0, 0, 0, ". . . empty empty . . . . empty"},
        {{0, 0, 0, 3, 0, 2, 0.1}, 0, -1, -1, 0, ". . . empty empty . . . . empty"}};
    // clang-format on
    for (const auto& c : cases) {
        const std::string actual = row(demandRowCells(c.in, c.pop, c.units, c.fixed, c.other));
        EXPECT_EQ(rowAsExpected(actual, c.row), c.row) << actual;
    }
    // A unit demand beyond a whole number fails.
    const DemandInputs perUnit{0, 0, 0, 3, 0, 2, 0.1};
    EXPECT_THROW(demandRowCells(perUnit, 0, 1100000000, 0, 0), ComputationError);
    EXPECT_NO_THROW(demandRowCells(perUnit, 0, 1000000000, 0, 0));
}

// A "Water Demand" sheet whose rows get the census population pop and nothing else.
struct DemandSheet {
    DesignFixture f;
    MemoryWorksheet* demand = nullptr;

    explicit DemandSheet(const std::array<double, 7>& constants = {2, 0, 15, 3, 45, 500, 0.1}) {
        f.addDataInput(constants);
        demand = &f.add("Water Demand");
    }
    void addRow(int row, double pop) {
        demand->load(row, B, std::string("Tap ") + std::to_string(row));
        demand->load(row, F, pop);
    }
};

TEST(WaterDemand, BlocksAreFourRowsApartAndRowsBetweenThemAreLeftAlone) {
    DemandSheet d;
    for (int row = 20; row <= 24; ++row)
        d.addRow(row, 100);
    for (int row = 26; row <= 28; ++row)
        d.addRow(row, 100);  // between the blocks: never read, never written
    d.demand->load(27, G, 999.0);
    d.addRow(29, 100);
    d.addRow(30, 200);
    // B31 empty ends the second block; B35 empty ends the walk, whatever follows.
    d.addRow(36, 100);

    EXPECT_TRUE(waterDemand(d.f.ctx));
    EXPECT_EQ(d.f.rowsWritten("Water Demand"), (std::vector<int>{20, 21, 22, 23, 24, 29, 30}));
    EXPECT_EQ(d.demand->cell(27, G), CellValue(999.0));
    EXPECT_EQ(d.demand->cell(30, H), CellValue(270.0));  // 200 × 1.02^15 = 269.17
    EXPECT_EQ(test::messageBoxes(d.f.ui), kDone);
    EXPECT_EQ(d.f.failing.calculationChanges(), test::kManualThenAutomatic);
    EXPECT_EQ(d.f.ui.calculationAtMessages, std::vector<Calculation>{Calculation::Automatic});
    EXPECT_EQ(d.f.ctx.sheet->name(), "Water Demand");
    EXPECT_EQ(d.f.ctx.summary,
              std::vector<std::string>{"Water Demand: 7 rows of 2 blocks computed (G to S, rows "
                                       "20-24, 29-30)"});
}

TEST(WaterDemand, AnEmptyFirstRowComputesNothingAndTextInTheNumberColumnsEmptiesTheResults) {
    DemandSheet empty;
    empty.addRow(21, 100);  // not a block: B20 is empty
    EXPECT_TRUE(waterDemand(empty.f.ctx));
    EXPECT_FALSE(empty.f.workbook.modified());
    EXPECT_EQ(test::messageBoxes(empty.f.ui), kDone);
    EXPECT_EQ(empty.f.failing.calculationChanges(), test::kManualThenAutomatic);

    DemandSheet d;
    d.addRow(20, 100);
    for (int column : {F, J, K, M})
        d.demand->load(20, column, std::string("n/a"));
    for (int column = G; column <= S; ++column) {
        if (column != J && column != K && column != M) d.demand->load(20, column, 1.0);
    }
    EXPECT_TRUE(waterDemand(d.f.ctx));
    for (int column : {G, H, I, L, N, O, P, Q, R, S})
        EXPECT_TRUE(isEmpty(d.demand->cell(20, column))) << column;
}

// A failure is named and stops the walk: the rows before it keep their values and calculation
// comes back on, before the message when a row could not be computed. The messages and reasons
// are compared whole with a reviewed golden text.
TEST(WaterDemand, AFailureIsNamedAndTheRowsBeforeItKeepTheirValues) {
    // clang-format off
    const struct {
        const char* what; std::function<void(DemandSheet&)> fault; std::vector<int> written;
        std::size_t cells; bool rowFailed;
    } cases[] = {
        {"a population beyond a whole number in the second block",
         [](DemandSheet& d) { d.addRow(27, 100); d.addRow(28, 3e9); }, {20, 21, 22}, 30, false},
        {"an error value for a census",
         [](DemandSheet& d) { d.demand->load(21, F, std::string("#N/A")); }, {}, 0, false},
        {"a unit demand beyond a whole number", [](DemandSheet& d) { d.demand->load(21, J, 5e6); },
         {20}, 10, true},
        {"a host failure after G, H, I and L of row 21",
         [](DemandSheet& d) { d.f.failing.failWritesAfter(14); }, {20, 21}, 14, true}};
    // clang-format on
    std::string text;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DemandSheet d;
        for (int row : {20, 21, 22})
            d.addRow(row, 100);
        c.fault(d);
        EXPECT_FALSE(waterDemand(d.f.ctx));
        text += std::string("== ") + c.what + "\n";
        for (const auto& lines : {test::messageBoxes(d.f.ui), d.f.ctx.report})
            for (const std::string& line : lines)
                text += line + "\n";
        EXPECT_EQ(d.f.rowsWritten("Water Demand"), c.written);
        EXPECT_EQ(d.f.sheet("Water Demand").changedCells().size(), c.cells);
        EXPECT_EQ(d.f.failing.calculationChanges(), test::kManualThenAutomatic);
        if (c.rowFailed) {
            EXPECT_EQ(d.f.ui.calculationAtMessages, std::vector{Calculation::Automatic});
        }
    }
    test::expectGolden(text, "design", "demand_failures");
}

}  // namespace
}  // namespace plovis
