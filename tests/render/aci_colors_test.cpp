#include "render/aci_colors.h"

#include <gtest/gtest.h>

namespace plovis {
namespace {

// Named colours with white printing black, the hue wheel in shades, the greys, and numbers
// outside the index in black.
TEST(PaperColors, ByColourNumber) {
    const struct {
        int aci;
        Rgb rgb;
    } cases[] = {
        {1, {255, 0, 0}},    {3, {0, 255, 0}},       {5, {0, 0, 255}},  {6, {255, 0, 255}},
        {7, {0, 0, 0}},      {8, {128, 128, 128}},   {10, {255, 0, 0}}, {11, {255, 127, 127}},
        {12, {204, 0, 0}},   {50, {255, 255, 0}},    {90, {0, 255, 0}}, {170, {0, 0, 255}},
        {250, {51, 51, 51}}, {255, {255, 255, 255}}, {-1, {0, 0, 0}},   {0, {0, 0, 0}},
        {256, {0, 0, 0}},    {1000, {0, 0, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(paperColor(c.aci), c.rgb) << c.aci;
}

}  // namespace
}  // namespace plovis
