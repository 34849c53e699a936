#include "groundprofile/ground_profile_layout.h"

#include <gtest/gtest.h>

#include <iomanip>
#include <sstream>

#include "ground_fixture.h"
#include "support/snapshot.h"

namespace plovis {
namespace {

std::vector<double> steps(double to, double step) {
    std::vector<double> out;
    for (double c = 0; c <= to + 1e-9; c += step)
        out.push_back(c);
    return out;
}

// Each branch cut into sheets at 0.2 units a metre (held in single precision: 700 units cover
// 3499.99995) and 350 apart from x = 10, as "start-end [first..last chainage] at x", then where
// the next branch would start; compared with tests/groundprofile/golden/layout.txt. 700 / 0.2 =
// 3500 of chainage a sheet; a sheet ends at the first point on or past its end, unless that
// point is the last (it stretches the sheet); paper ALL gives one sheet a branch; a tiny plot
// length cannot loop forever.
TEST(GroundProfileLayout, SheetsLikeTheirReviewedSnapshot) {
    const struct {
        std::vector<double> chainages;
        double plotLength;
    } cases[] = {{steps(8000, 1000), 700},
                 {{0, 1000, 2000, 3000, 3600}, 700},
                 {steps(4000, 100), 700},
                 {steps(8000, 1000), 1000000},
                 {{0, 10}, 1e-6}};
    std::ostringstream report;
    report << std::fixed << std::setprecision(3);
    for (const auto& c : cases) {
        const GroundBranch b = test::branchOf(c.chainages);
        double x = 10;
        report << "== " << c.chainages.size() << " points to " << c.chainages.back()
               << ", plot length " << c.plotLength << "\n";
        for (const auto& s : planBranchSheets(b, c.plotLength, 0.2f, 350, x)) {
            report << s.sheetStart << "-" << s.sheetEnd << " [" << b.chainages[s.firstIndex] << ".."
                   << b.chainages[s.lastIndex] << "] at " << s.refX
                   << (s.drawable() ? "" : " not drawable") << "\n";
        }
        report << "next at " << x << "\n";
    }
    test::expectGolden(report.str(), "groundprofile", "layout");
}

}  // namespace
}  // namespace plovis
