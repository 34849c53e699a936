#include "groundprofile/ground_profile_bounds.h"

#include <gtest/gtest.h>

#include <numbers>

#include "groundprofile/ground_sheet_drawing.h"
#include "hosts/memory_cad_host.h"
#include "hosts/scripted_cad_utility.h"

namespace plovis {
namespace {

// A branch whose points stand on rows 5, 6, ... of the sheet.
GroundBranch branchOf(std::vector<double> chainages, std::vector<double> levels) {
    GroundBranch b;
    b.name = "Main";
    b.chainages = std::move(chainages);
    b.levels = std::move(levels);
    for (std::size_t i = 0; i < b.chainages.size(); ++i) {
        b.labels.push_back("P" + std::to_string(i + 1));
        b.rows.push_back(5 + static_cast<int>(i));
    }
    return b;
}

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

// Points far enough apart that every label is drawn: the estimate is the count drawn.
TEST(GroundProfileBounds, SheetEstimateIsWhatASheetDraws) {
    ScriptedCadUtility utility;
    MemoryCadHost host{utility};
    Drawing& drawing = host.addDocument();
    const GroundBranch b = branchOf({0, 100, 250, 900}, {1234.5, 1250, 1281.2, 1302});
    const ProfileFrame frame{100, 50, 0, 1234.5, mmPerMetre(0.2f), mmPerMetre(1.0f)};
    GroundSheetDrawing s{host, drawing, b, 0, 3, frame, 1.8f, 1.8, std::numbers::pi};
    drawGroundSheet(s);
    EXPECT_EQ(groundSheetEntities(s.extents, 4),
              static_cast<double>(drawing.modelSpace().items().size()));
}

// The message names the input that makes the drawing large: the cell of one distance or level,
// or the scale and plot length; an ordinary profile passes.
TEST(GroundProfileBounds, RefusesNamingTheCause) {
    const std::vector<double> normal{0, 500, 1200, 1650};
    const std::vector<double> levels{1450, 1440, 1420, 1400};
    const struct {
        GroundBranch branch;
        GroundProfileSettings settings;
        const char* message;  // empty: drawn
    } cases[] = {
        {branchOf(normal, levels), settings(5000), ""},
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
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        std::string said;
        try {
            checkGroundProfileSize({c.branch}, c.settings, DrawingLimits{});
        } catch (const DrawingTooLarge& e) {
            said = e.what();
        }
        EXPECT_EQ(said, c.message);
    }
}

}  // namespace
}  // namespace plovis
