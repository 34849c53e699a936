#pragma once
// Points, text alignment codes, colour numbers and the number checks of the drawing host. The
// codes are the CAD host's own numbers, so routines that pass them along as numbers read the same.

#include <optional>
#include <string_view>
#include <utility>

namespace plovis {

// A point in drawing units (millimetres of the plotted sheet). z is 0 in every drawing we make.
struct Point {
    double x = 0;
    double y = 0;
    double z = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// Where a text sits horizontally on its alignment point. Aligned and Fit stretch the text between
// its insertion point and its alignment point; Middle centres it both ways.
enum class HorizontalAlignment : int {
    Left = 0,
    Center = 1,
    Right = 2,
    Aligned = 3,
    Middle = 4,
    Fit = 5
};
// Where a text sits vertically: on its baseline, on the bottom of its descenders, halfway up its
// capitals, or under the top of its capitals.
enum class VerticalAlignment : int { Baseline = 0, Bottom = 1, Middle = 2, Top = 3 };
// Both at once, numbered as the host's Alignment property numbers them.
enum class TextAlignment : int {
    Left = 0,
    Center = 1,
    Right = 2,
    Aligned = 3,
    Middle = 4,
    Fit = 5,
    TopLeft = 6,
    TopCenter = 7,
    TopRight = 8,
    MiddleLeft = 9,
    MiddleCenter = 10,
    MiddleRight = 11,
    BottomLeft = 12,
    BottomCenter = 13,
    BottomRight = 14,
};

// The codes as numbers arrive from routines; a number outside the host's range is a HostError.
HorizontalAlignment horizontalAlignmentFromCode(int code);
VerticalAlignment verticalAlignmentFromCode(int code);
TextAlignment textAlignmentFromCode(int code);

// Aligned, Middle and Fit exist only on the baseline; with another vertical alignment they count
// as Left, as the host's combined alignment has no such entries.
TextAlignment combineAlignment(HorizontalAlignment h, VerticalAlignment v);
std::pair<HorizontalAlignment, VerticalAlignment> splitAlignment(TextAlignment a);

// Colour numbers of the standard CAD colour index (1 red ... 7 white on screen, black on paper).
inline constexpr int kColorByBlock = 0;
inline constexpr int kColorByLayer = 256;
inline constexpr int kColorWhite = 7;

// The largest coordinate, length or text height the host accepts. It lies far beyond any sheet;
// a larger or non-finite number comes from corrupt data (a zero scale, a level read wrongly) and
// must fail rather than reach a drawing file.
inline constexpr double kLargestCoordinate = 1e12;

// Checks for the numbers routines pass to the host; each throws HostError naming `what`.
double checkedNumber(double value, std::string_view what);
double checkedPositive(double value, std::string_view what);
Point checkedPoint(const Point& p, std::string_view what);

// "X,Y" (blanks allowed around each number) as a point, as a pick is typed, or nothing.
std::optional<Point> parsePoint(std::string_view text);
int checkedColor(int color, std::string_view what);

}  // namespace plovis
