#include "render/page_layout.h"

#include <gtest/gtest.h>

namespace plovis {
namespace {

TEST(PageLayout, ADrawingPrintsAtItsOwnSizeWithAMargin) {
    Extents e;
    e.add({100, 50, 0});
    e.add({400, 250, 0});
    const PageLayout page = fitPage(e);
    EXPECT_DOUBLE_EQ(page.scale, 1);
    EXPECT_DOUBLE_EQ(page.widthMm, 320);
    EXPECT_DOUBLE_EQ(page.heightMm, 220);
    EXPECT_DOUBLE_EQ(page.pageX(100), 10);
    EXPECT_DOUBLE_EQ(page.pageY(250), 10);  // top edge of the drawing, 10 mm below the page's
    EXPECT_DOUBLE_EQ(page.pageY(50), 210);
}

TEST(PageLayout, AHugeDrawingShrinksOntoTheLargestPage) {
    Extents e;
    e.add({0, 0, 0});
    e.add({1e6, 10, 0});
    const PageLayout page = fitPage(e);
    EXPECT_DOUBLE_EQ(page.widthMm, kLargestPageMm);
    EXPECT_DOUBLE_EQ(page.scale, (kLargestPageMm - 2 * kPageMarginMm) / 1e6);
    EXPECT_NEAR(page.pageX(1e6), kLargestPageMm - kPageMarginMm, 1e-9);
}

TEST(PageLayout, AnEmptyDrawingGetsABlankA4) {
    const PageLayout page = fitPage(Extents{});
    EXPECT_DOUBLE_EQ(page.widthMm, 297);
    EXPECT_DOUBLE_EQ(page.heightMm, 210);
}

}  // namespace
}  // namespace plovis
