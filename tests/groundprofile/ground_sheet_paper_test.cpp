// The papers of the existing ground profile: each sheet is recorded on the smallest ISO paper
// that holds it, and sheets follow one another by the span of their points, so neither the frames
// nor the papers of two sheets overlap however sparse the points are.
#include <gtest/gtest.h>

#include "ground_fixture.h"
#include "support/drawn_entities.h"

namespace plovis {
namespace {

struct Drawn {
    std::vector<double> groundLineStarts;  // x of each sheet's first ground point
    std::vector<DrawingSheet> sheets;
};

// One branch at the chainages given, drawn at 1:5000 from (0, 0) on paper A3 (plot 350, gap 175).
Drawn drawBranch(const std::vector<double>& chainages) {
    test::DialogFixture f(true);
    f.branch("Main", -1, 1);  // the header row alone
    for (std::size_t i = 0; i < chainages.size(); ++i)
        f.point("P" + std::to_string(i), i ? chainages[i] - chainages[i - 1] : 0, 100.0 + i);
    f.dialog.selectPaper("A3");
    f.utility.pickPoint({0, 0, 0});
    EXPECT_EQ(f.dialog.draw(f.cad, f.spreadsheet, f.ui).outcome, GroundProfileOutcome::Drawn);
    Drawn d;
    for (const CadPolyline* p : test::drawn<CadPolyline>(f.cad.activeDocument(), "GL"))
        d.groundLineStarts.push_back(p->vertices().front().x);
    d.sheets = f.cad.activeDocument().sheets().list();
    return d;
}

TEST(GroundSheetPaper, SheetsFollowTheSpanOfTheirPointsAndPapersDoNotOverlap) {
    const struct {
        std::vector<double> chainages;
        std::vector<double> starts;
        std::vector<std::string> papers;
    } cases[] = {
        // Points 1000 apart: sheet 1 (0 to 1750) draws to the point at 3000, its frame to x 602
        // (an A1 paper); sheet 2 starts past it at 3000 × 0.2 + 175 = 775, not at the nominal
        // 350 + 175 = 525, and 42.5 further so that its A2 paper clears the A1.
        {{0, 1000, 2000, 3000}, {0, 817.5}, {"A1", "A2"}},
        // Dense points: sheets of the nominal 350 + 175; the short last sheet moves on so that its
        // paper begins where the first one's ends.
        {{0, 500, 1000, 1500, 1750, 2000}, {0, 570}, {"A3", "A3"}},
    };
    for (const auto& c : cases) {
        const Drawn d = drawBranch(c.chainages);
        ASSERT_EQ(d.sheets.size(), c.papers.size());
        for (std::size_t i = 0; i < c.starts.size(); ++i) {
            EXPECT_NEAR(d.groundLineStarts[i], c.starts[i], 1e-3) << i;
            EXPECT_EQ(d.sheets[i].paper.name, c.papers[i]) << i;
            EXPECT_EQ(d.sheets[i].name, "Main " + std::to_string(i + 1));
            if (i > 0) {
                EXPECT_LE(d.sheets[i - 1].maxX(), d.sheets[i].minX + 1e-9) << i;
            }
        }
    }
}

}  // namespace
}  // namespace plovis
