#pragma once
// The frame of one existing ground profile sheet: its left and right edges around the points
// drawn, and its bottom and top on whole tens of level around their levels.

#include "groundprofile/ground_profile_layout.h"
#include "scheme/profile_frame.h"

namespace plovis {

// Held in single precision, as the frame's extents are.
struct SheetExtents {
    float xLeft = 0;
    float xRight = 0;
    float yBottom = 0;
    float yTop = 0;
    float levelBottom = 0;  // whole multiples of 10
    float levelTop = 0;
    static constexpr float kMargin = 2;         // overhang beyond the first and last point
    static constexpr float kHeadingWidth = 20;  // heading boxes left of the frame
};

// computeSheetExtents over the branch points firstIndex..lastIndex: the frame spans the points
// drawn (each end plus the margin); its bottom lies 10 to under 20 below the lowest level and its
// top over 0 and at most 10 above the highest, on multiples of 10.
SheetExtents computeSheetExtents(const GroundBranch& branch, int firstIndex, int lastIndex,
                                 const ProfileFrame& frame);

}  // namespace plovis
