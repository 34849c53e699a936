#include "scheme/profile_frame.h"

#include <gtest/gtest.h>

namespace plovis {
namespace {

// A profile frame at 1:5000 across and 1:1000 up, and a ground profile frame on single-precision
// millimetres per metre, each mapping chainage and level onto the sheet.
TEST(ProfileFrame, MapsChainageAndLevelOntoTheSheet) {
    const ProfileFrame profile{65, 95, 0, 1180, scaleOneTo(5000), scaleOneTo(1000)};
    const double f = 0.2f;  // held in single precision: 0.200000003
    const ProfileFrame ground{100, 50, 3000, 1234.5, mmPerMetre(f), mmPerMetre(1.0f)};
    const struct {
        const ProfileFrame& frame;
        double chainage, level, x, y;
    } cases[] = {
        {profile, 0, 1180, 65, 95},                 // the first node on the datum
        {profile, 250, 1203.5, 115, 118.5},         // 250 m is 50 mm across, 23.5 m is 23.5 mm up
        {profile, 1e-9, 1179.5, 65 + 2e-10, 94.5},  // just past the start, just below the datum
        {ground, 3000, 1234.5, 100, 50},            // the sheet's first point at its origin
        {ground, 2990, 1230, 100 - 10 * f, 45.5},   // before the start: left of the origin
        {ground, 7000, 1290, 100 + 4000 * f, 105.5},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(c.frame.x(c.chainage), c.x) << c.chainage;
        EXPECT_DOUBLE_EQ(c.frame.y(c.level), c.y) << c.level;
    }
}

TEST(ProfileFrame, ScalesGoBothWaysAndKeepTheirRounding) {
    const FrameScale oneTo2500 = scaleOneTo(2500);
    EXPECT_DOUBLE_EQ(oneTo2500.toSheet(350), 140);
    EXPECT_DOUBLE_EQ(oneTo2500.toGround(140), 350);
    EXPECT_DOUBLE_EQ(oneTo2500.mmPerMetre(), 0.4);
    // The paper width in metres is computed as width x scale / 1000, not width / (1000 / scale).
    EXPECT_EQ(scaleOneTo(3000).toGround(350), 350.0 * 3000 / 1000);
    EXPECT_EQ(scaleOneTo(3000).toSheet(70.1), 70.1 * 1000 / 3000);
    // A single-precision factor stays single: 0.2f is 0.200000003 mm per metre.
    EXPECT_EQ(mmPerMetre(0.2f).toSheet(1e6), 1e6 * static_cast<double>(0.2f));
    EXPECT_EQ(mmPerMetre(0.2f).toGround(700), 700 / static_cast<double>(0.2f));
}

}  // namespace
}  // namespace plovis
