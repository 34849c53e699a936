// Profile sheets that once misread or overprinted: the grade and static lines read their own
// levels against the broken level axis, every node shows its structure code (and an empty code
// writes nothing), and no tick runs into the foot of an upright table figure.

#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "profile_command_fixture.h"

namespace plovis {
namespace {

using test::drawn;
using test::section;
using test::titleRow;

constexpr double kAxisFigureX = 308;  // 2 left of the first A4 sheet's axis
constexpr double kCodeY = 115;        // 20 above the table's top line

// The level the axis figures give to height y of the sheet (1 m a drawing unit at V 1:1000),
// between two figures of one band; NaN when a break mark lies between them.
double readAxis(const std::map<double, double>& figures, double y) {
    const auto above = figures.lower_bound(y);
    if (above == figures.end()) return NAN;
    if (above->first == y) return above->second;
    if (above == figures.begin()) return NAN;
    const auto below = std::prev(above);
    if (above->second - below->second != above->first - below->first) return NAN;
    return below->second + (y - below->first);
}

TEST(ProfileSheet, LinesReadTheirLevelsCodesOnEveryNodeFiguresClearOfTicks) {
    const struct {
        const char* name;
        test::DesignRow row;
        std::string code;  // of the section's end node
        double codeX;
    } cases[] = {
        // clang-format off
        {"grade line below its static line", section("A", "B", 100, 1950, 1940, 2000, 1988, 1973), "RVT 20 m3", 335},
        {"both lines far above the ground", section("A", "B", 100, 1245.3, 1240, 1500, 1395, 1380), "", 0},
        {"grade line starting above its end", section("B", "C", 1000, 1290, 1280, 1310, 1300, 1290), "TS", 515},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::ProfileFixture f;
        test::DesignRow row = c.row;
        row.structure = c.code;
        f.rows({titleRow("Main line"), row});
        ASSERT_TRUE(f.run());
        const Drawing& d = f.drawing();

        std::map<double, double> figures;
        std::vector<std::pair<std::string, double>> codes, expectedCodes;
        if (!c.code.empty()) expectedCodes.push_back({c.code, c.codeX});
        std::vector<Point> feet;  // of the upright table figures
        for (const CadText* t : drawn<CadText>(d)) {
            const Point p = t->anchorPoint();
            if (p.x == kAxisFigureX && t->verticalAlignment() == VerticalAlignment::Middle) {
                figures[p.y] = std::stod(t->textString());
            }
            if (t->rotation() == 0) continue;
            if (p.y == kCodeY) {
                codes.push_back({t->textString(), p.x});
            } else if (p.y < kCodeY) {
                feet.push_back(p);
            }
        }
        EXPECT_EQ(codes, expectedCodes);

        for (const CadLine* l : drawn<CadLine>(d, "HGL")) {
            EXPECT_NEAR(readAxis(figures, l->startPoint().y), c.row.startHgl, 1e-9);
            EXPECT_NEAR(readAxis(figures, l->endPoint().y), c.row.endHgl, 1e-9);
        }
        for (const CadLine* l : drawn<CadLine>(d, "SPL")) {
            EXPECT_NEAR(readAxis(figures, l->startPoint().y), c.row.staticLevel, 1e-9);
        }

        for (const CadLine* l : drawn<CadLine>(d, "0")) {
            const Point a = l->startPoint(), b = l->endPoint();
            if (a.x != b.x) continue;
            for (const Point& foot : feet) {
                const double top = std::max(a.y, b.y);
                if (a.x == foot.x && top < foot.y) {
                    EXPECT_GE(foot.y - top, 0.75)
                        << "tick under the figure at " << foot.x << "," << foot.y;
                }
            }
        }
    }
}

}  // namespace
}  // namespace plovis
