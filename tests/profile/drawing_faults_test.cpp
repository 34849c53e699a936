// Profile sheets that once misread or overprinted: the grade and static lines read their own
// levels against the broken level axis, every node shows its structure code (an empty code writes
// nothing), and no tick runs into the foot of an upright table figure.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "profile_fixture.h"
#include "support/drawn_entities.h"

namespace plovis {
namespace {

// The level the axis figures give to height y (1 m a drawing unit), between two figures of one
// band; NaN across a break.
double readAxis(const std::map<double, double>& figures, double y) {
    const auto above = figures.lower_bound(y);
    if (above != figures.end() && above->first == y) return above->second;
    if (above == figures.end() || above == figures.begin()) return NAN;
    const auto below = std::prev(above);
    if (above->second - below->second != above->first - below->first) return NAN;
    return below->second + (y - below->first);
}

TEST(ProfileSheet, LinesReadTheirLevelsCodesOnEveryNodeFiguresClearOfTicks) {
    using P = std::pair<std::string, double>;
    const struct {
        test::DesignRow row;
        std::vector<P> codes;  // the end node's code and X
    } cases[] = {
        {test::section("A", "B", 100, 1950, 1940, 2000, 1988, 1973), {{"RVT 20 m3", 335}}},
        {test::section("A", "B", 100, 1245.3, 1240, 1500, 1395, 1380), {}},
        {test::section("B", "C", 1000, 1290, 1280, 1310, 1300, 1290), {{"TS", 515}}},
    };
    for (const auto& c : cases) {
        test::ProfileFixture f;
        test::DesignRow row = c.row;
        row.structure = c.codes.empty() ? "" : c.codes[0].first;
        f.rows({test::titleRow("Main line"), row});
        ASSERT_TRUE(f.run().starts_with("done\n"));
        std::map<double, double> figures;  // by height, right of the A4 sheet's axis
        std::vector<P> codes;
        std::vector<Point> feet;  // of the upright table figures
        for (const CadText* t : test::drawn<CadText>(f.drawing())) {
            const Point p = t->anchorPoint();
            if (p.x == 308 && t->verticalAlignment() == VerticalAlignment::Middle)
                figures[p.y] = std::stod(t->textString());
            if (t->rotation() != 0 && p.y == 115) codes.push_back({t->textString(), p.x});
            if (t->rotation() != 0 && p.y < 95) feet.push_back(p);
        }
        EXPECT_EQ(codes, c.codes);
        for (const CadLine* l : test::drawn<CadLine>(f.drawing(), "HGL")) {
            EXPECT_NEAR(readAxis(figures, l->startPoint().y), c.row.startHgl, 1e-9);
            EXPECT_NEAR(readAxis(figures, l->endPoint().y), c.row.endHgl, 1e-9);
        }
        for (const CadLine* l : test::drawn<CadLine>(f.drawing(), "SPL"))
            EXPECT_NEAR(readAxis(figures, l->startPoint().y), c.row.staticLevel, 1e-9);
        for (const CadLine* l : test::drawn<CadLine>(f.drawing(), "0")) {
            const double top = std::max(l->startPoint().y, l->endPoint().y);
            for (const Point& foot : feet) {
                if (l->startPoint().x == foot.x && l->endPoint().x == foot.x && top < foot.y) {
                    EXPECT_GE(foot.y - top, 0.75) << foot.x << "," << foot.y;
                }
            }
        }
    }
}

}  // namespace
}  // namespace plovis
