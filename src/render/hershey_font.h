#pragma once
// Single-stroke fonts in the Hershey format (.jhf), the faces CAD programs' "romans" text style
// is drawn from: a text prints as pen strokes, its capitals exactly the text height tall, so a
// figure fits the table cell it was laid out for.

#include <QPainterPath>
#include <QString>
#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace plovis {

struct StrokeGlyph {
    bool defined = false;
    double advance = 0;    // pen movement to the next character, in font units
    QPainterPath strokes;  // from the pen position on the baseline: x right, y down, font units
};

struct StrokeFont {
    std::array<StrokeGlyph, 256> glyphs;  // by Latin-1 code: the file's glyphs from the space on
    double capHeight = 0;                 // top of 'H' above the baseline, font units
    double descent = 0;                   // lowest stroke below the baseline, font units
};

// A text set on one baseline from x 0, in font units.
struct StrokeText {
    QPainterPath strokes;
    double width = 0;  // the sum of the characters' advances
};

// Reads the glyphs of a .jhf text, the first one being the space and the next ones the following
// character codes; also the signs of CAD's %%c, %%d and %%p (diameter, degree, plus-minus).
// Throws HostError naming `source`, the line and what is wrong.
StrokeFont parseHersheyFont(std::string_view text, const std::string& source);

// Reads a .jhf file (at most 1 MB); throws HostError naming the file.
StrokeFont readHersheyFont(const std::filesystem::path& file);

// The strokes of a text, or nothing when the font lacks one of its characters.
std::optional<StrokeText> setInStrokes(const StrokeFont& font, const QString& text);

// Roman Simplex from Debian's hershey-fonts-data, read at its first use in the process. Null
// when it cannot be read, after one warning on standard error.
const StrokeFont* romanSimplexFont();

}  // namespace plovis
