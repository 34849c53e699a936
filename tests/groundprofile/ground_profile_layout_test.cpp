#include "groundprofile/ground_profile_layout.h"

#include <gtest/gtest.h>

namespace plovis {
namespace {

GroundBranch branchOf(std::vector<double> chainages) {
    GroundBranch b;
    b.name = "Main";
    b.chainages = std::move(chainages);
    b.levels.assign(b.chainages.size(), 100.0);
    b.labels.assign(b.chainages.size(), "P");
    return b;
}

std::vector<double> steps(double to, double step) {
    std::vector<double> out;
    for (double c = 0; c <= to + 1e-9; c += step)
        out.push_back(c);
    return out;
}

struct Expected {
    double start, end;
    double firstChainage, lastChainage;
};

void expectPlan(const GroundBranch& b, double plotLength, const std::vector<Expected>& expected,
                double gap = 350) {
    double refX = 10;
    const auto sheets = planBranchSheets(b, plotLength, 0.2f, gap, refX);
    ASSERT_EQ(sheets.size(), expected.size());
    double x = 10;
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        const auto& s = sheets[i];
        ASSERT_TRUE(s.drawable());
        // hFactor is held in single precision (0.2 is 0.200000003), so a sheet of 700 units
        // covers 3499.99995 of chainage: equal to 3500 at the 3 decimals sheets are compared to.
        EXPECT_NEAR(s.sheetStart, expected[i].start, 1e-3) << "sheet " << i + 1;
        EXPECT_NEAR(s.sheetEnd, expected[i].end, 1e-3) << "sheet " << i + 1;
        EXPECT_EQ(b.chainages[s.firstIndex], expected[i].firstChainage) << "sheet " << i + 1;
        EXPECT_EQ(b.chainages[s.lastIndex], expected[i].lastChainage) << "sheet " << i + 1;
        EXPECT_NEAR(s.refX, x, 1e-3) << "sheet " << i + 1;
        const double drawn = b.chainages[s.lastIndex] - b.chainages[s.firstIndex];
        x += std::max(s.sheetEnd - s.sheetStart, drawn) * 0.2f + gap;
    }
    EXPECT_NEAR(refX, x, 1e-3);
}

// 700 / 0.2 = 3500 of chainage per sheet; a sheet ends at the first point on or past its end,
// unless that point is the last (it stretches the sheet); paper ALL gives one sheet per branch.
TEST(GroundProfileLayout, SheetsOfAPlotLength) {
    const struct {
        std::vector<double> chainages;
        double plotLength;
        std::vector<Expected> sheets;
    } cases[] = {
        // clang-format off
        {steps(8000, 1000), 700, {{0, 3500, 0, 5000}, {3500, 7000, 3000, 7000}, {7000, 8000, 7000, 8000}}},
        {{0, 1000, 2000, 3000, 3600}, 700, {{0, 3600, 0, 3600}}},
        {steps(4000, 100), 700, {{0, 3500, 0, 3500}, {3500, 4000, 3500, 4000}}},
        {steps(8000, 1000), 1000000, {{0, 8000, 0, 8000}}},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chainages.size());
        expectPlan(branchOf(c.chainages), c.plotLength, c.sheets);
    }
}

TEST(GroundProfileLayout, ATinyPlotLengthCannotLoopForever) {
    double refX = 0;
    const auto sheets = planBranchSheets(branchOf({0, 10}), 1e-6, 0.2f, 350, refX);
    EXPECT_EQ(sheets.size(), 1u);
}

TEST(GroundProfileLayout, BranchesSplitAtHeaderRowsAndShortOnesAreLeftOut) {
    GroundPoints p;
    auto add = [&](const char* label, double chainage, double level) {
        p.labels.push_back(label);
        p.chainages.push_back(chainage);
        p.distances.push_back(0);
        p.levels.push_back(level);
    };
    add("Main", 0, 0);
    add("A", 0, 100);
    add("B", 10, 101);
    add("Single", 0, 0);
    add("S1", 0, 90);  // one point: not drawn
    add("Branch 3", 0, 0);
    add("C", 0, 80);
    add("D", 5, 81);
    const auto branches = splitGroundBranches(p);
    ASSERT_EQ(branches.size(), 2u);
    EXPECT_EQ(branches[0].name, "Main");
    EXPECT_EQ(branches[0].labels, (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(branches[1].name, "Branch 3");
    EXPECT_EQ(branches[1].chainages, (std::vector<double>{0, 5}));
}

}  // namespace
}  // namespace plovis
