#include "render/aci_colors.h"

#include <gtest/gtest.h>

namespace plovis {
namespace {

TEST(PaperColors, NamedColoursWithWhitePrintingBlack) {
    EXPECT_EQ(paperColor(1), (Rgb{255, 0, 0}));
    EXPECT_EQ(paperColor(3), (Rgb{0, 255, 0}));
    EXPECT_EQ(paperColor(5), (Rgb{0, 0, 255}));
    EXPECT_EQ(paperColor(6), (Rgb{255, 0, 255}));
    EXPECT_EQ(paperColor(7), (Rgb{0, 0, 0}));
    EXPECT_EQ(paperColor(8), (Rgb{128, 128, 128}));
}

TEST(PaperColors, TheHueWheelInShadesAndTheGreys) {
    EXPECT_EQ(paperColor(10), (Rgb{255, 0, 0}));
    EXPECT_EQ(paperColor(11), (Rgb{255, 127, 127}));  // half saturated
    EXPECT_EQ(paperColor(12), (Rgb{204, 0, 0}));      // darker shade
    EXPECT_EQ(paperColor(50), (Rgb{255, 255, 0}));    // 60 degrees: yellow
    EXPECT_EQ(paperColor(90), (Rgb{0, 255, 0}));      // 120 degrees: green
    EXPECT_EQ(paperColor(170), (Rgb{0, 0, 255}));     // 240 degrees: blue
    EXPECT_EQ(paperColor(250), (Rgb{51, 51, 51}));
    EXPECT_EQ(paperColor(255), (Rgb{255, 255, 255}));
}

TEST(PaperColors, NumbersOutsideTheIndexPrintBlack) {
    for (int c : {-1, 0, 256, 1000})
        EXPECT_EQ(paperColor(c), (Rgb{0, 0, 0})) << c;
}

}  // namespace
}  // namespace plovis
