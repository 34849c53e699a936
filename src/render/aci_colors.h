#pragma once
// The standard CAD colour index as printed on white paper.

#include <cstdint>

namespace plovis {

struct Rgb {
    std::uint8_t r, g, b;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Colours 1 to 9 are the named ones (1 red, 2 yellow, 3 green, 4 cyan, 5 blue, 6 magenta,
// 7 white on screen and black on paper, 8 dark grey, 9 light grey); 10 to 249 run through 24
// hues in steps of 15 degrees, each in five shades, full and half saturated; 250 to 255 are greys
// from dark to white. Numbers outside 1 to 255 print black.
Rgb paperColor(int colorIndex);

}  // namespace plovis
