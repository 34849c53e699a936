#include "groundprofile/ground_profile_bounds.h"

#include <gtest/gtest.h>

#include "ground_fixture.h"
#include "support/failure_text.h"

namespace plovis {
namespace {

using test::branchOf;

GroundProfileSettings settings(float hscale, double plotLength = 700) {
    GroundProfileSettings s;
    s.hscale = hscale;
    s.vscale = 1000;
    s.textSize = 1.8f;
    s.plotLength = plotLength;
    s.sheetGap = 350;
    s.hFactor = 1000 / hscale;
    s.vFactor = 1;
    return s;
}

// The message names the input that makes the drawing large: the cell of one distance or level,
// or the scale and plot length; an ordinary profile passes.
TEST(GroundProfileBounds, RefusesNamingTheCause) {
    const std::vector<double> normal{0, 500, 1200, 1650};
    const std::vector<double> levels{1450, 1440, 1420, 1400};
    const struct {
        GroundBranch branch;
        GroundProfileSettings settings;
        const char* message;
    } cases[] = {
        {branchOf(normal, levels), settings(5000), "no failure"},
        {branchOf({0, 500, 1e308, 1e308}, levels), settings(5000),
         "GroundProfile C7: a distance of 1E+308 m gives more than 2,000 sheets"},
        {branchOf({0, 500, 2350500, 2351000}, levels), settings(5000),
         "GroundProfile C7: a distance of 2350000 m gives more than 5,000,000 entities"},
        {branchOf(normal, {1450, 1e9, 1420, 1400}), settings(5000),
         "GroundProfile D6: a level of 1000000000 m gives more than 5,000,000 entities"},
        {branchOf(normal, levels), settings(1),
         "A horizontal scale of 1:1 with a plot length of 700 gives more than 2,000 sheets"},
        {branchOf(normal, levels), settings(5000, 0.001),
         "A horizontal scale of 1:5000 with a plot length of 0.001 gives more than 2,000 sheets"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(test::failureText<DrawingTooLarge>(
                      [&] { checkGroundProfileSize({c.branch}, c.settings, DrawingLimits{}); }),
                  c.message);
}

}  // namespace
}  // namespace plovis
