#pragma once
// Where a drawing lands on paper. Drawing units are millimetres of the plotted sheet, so a drawing
// prints at its own size: the page is the drawing's extent plus a margin, at 1:1. Only a drawing
// larger than the largest page is scaled down to fit it.

#include "hosts/cad_extents.h"

namespace plovis {

struct PageLayout {
    double widthMm = 297;  // the page
    double heightMm = 210;
    double scale = 1;    // paper millimetres per drawing unit (1, or less for huge drawings)
    double originX = 0;  // the drawing point at the page's lower left corner
    double originY = 0;

    // Paper millimetres from the page's top left corner (y downwards) of a drawing point.
    double pageX(double x) const { return (x - originX) * scale; }
    double pageY(double y) const { return heightMm - (y - originY) * scale; }
};

inline constexpr double kPageMarginMm = 10;
inline constexpr double kLargestPageMm = 5000;  // PDF viewers refuse pages beyond about 5 m

// The page for a drawing's extent; an empty drawing gets a blank A4 landscape page.
PageLayout fitPage(const Extents& extents);

}  // namespace plovis
