#include "render/hershey_font.h"

#include <QtGlobal>
#include <algorithm>

#include "common/file_io.h"
#include "hosts/host_error.h"

namespace plovis {
namespace {

constexpr std::uintmax_t kLargestFontFile = 1 << 20;
constexpr std::size_t kHeadLength = 8;  // glyph number (5 characters), vertex count (3)

[[noreturn]] void fail(const std::string& source, const std::string& what) {
    throw HostError("The stroke font " + source + " could not be read: " + what);
}

[[noreturn]] void fail(const std::string& source, int line, const std::string& what) {
    fail(source, "line " + std::to_string(line) + ": " + what);
}

struct Reader {
    std::string_view text;
    const std::string& source;
    std::size_t at = 0;
    int line = 1;
};

bool atEnd(Reader& r) {
    for (; r.at < r.text.size(); ++r.at) {
        if (r.text[r.at] == '\n') ++r.line;
        if (r.text[r.at] != '\n' && r.text[r.at] != '\r') return false;
    }
    return true;
}

// The vertex count from a glyph's head: right-aligned digits after the glyph number.
int vertexCount(const Reader& r) {
    const std::string_view head = r.text.substr(r.at, kHeadLength);
    if (head.size() < kHeadLength || head.find_first_of("\r\n") != std::string_view::npos)
        fail(r.source, r.line, "the glyph's number and vertex count are cut short");
    const std::string_view count = head.substr(5);
    const std::size_t digits = count.find_first_not_of(' ');
    if (digits == std::string_view::npos ||
        count.find_first_not_of("0123456789", digits) != std::string_view::npos)
        fail(r.source, r.line, "the vertex count \"" + std::string(count) + "\" is not a number");
    const int n = std::stoi(std::string(count.substr(digits)));
    if (n < 1) fail(r.source, r.line, "a glyph needs at least its left and right bearings");
    return n;
}

// A glyph's character pairs (its bearings, then its vertices), joined across wrapped lines.
std::string nextGlyphPairs(Reader& r) {
    const int line = r.line;
    const std::size_t wanted = 2 * static_cast<std::size_t>(vertexCount(r));
    r.at += kHeadLength;
    std::string pairs;
    while (pairs.size() < wanted) {
        if (r.at >= r.text.size())
            fail(r.source, line,
                 "the glyph ends before its " + std::to_string(wanted / 2) + " vertices");
        const char c = r.text[r.at++];
        if (c == '\n') ++r.line;
        if (c == '\n' || c == '\r') continue;
        if (c < ' ' || c > '~') fail(r.source, r.line, "a coordinate is not a printable character");
        pairs += c;
    }
    for (std::size_t i = 0; i < pairs.size(); i += 2) {
        if (pairs[i] == ' ' && (i == 0 || pairs[i + 1] != 'R'))
            fail(r.source, line, "a space stands where a coordinate belongs");
    }
    if (pairs[1] < pairs[0]) fail(r.source, line, "the right bearing is left of the left one");
    while (r.at < r.text.size() && r.text[r.at] == ' ')
        ++r.at;
    if (r.at < r.text.size() && r.text[r.at] != '\n' && r.text[r.at] != '\r')
        fail(r.source, r.line, "the glyph runs on past its vertices");
    return pairs;
}

// Coordinates are characters counted from 'R', y downwards; " R" lifts the pen. The glyph's
// strokes start at its left bearing.
StrokeGlyph glyphFrom(std::string_view pairs) {
    StrokeGlyph g;
    g.defined = true;
    const int left = pairs[0] - 'R';
    g.advance = pairs[1] - pairs[0];
    bool penUp = true;
    for (std::size_t i = 2; i + 1 < pairs.size(); i += 2) {
        if (pairs[i] == ' ') {
            penUp = true;
            continue;
        }
        const QPointF p(pairs[i] - 'R' - left, pairs[i + 1] - 'R');
        penUp ? g.strokes.moveTo(p) : g.strokes.lineTo(p);
        penUp = false;
    }
    return g;
}

// CAD programs draw %%d, %%p and %%c as the degree, plus-minus and diameter signs, which the
// Roman faces lack: a small ring at cap height, a plus over a bar, an O struck through.
void addCadSigns(StrokeFont& font) {
    font.glyphs[0xB0] = glyphFrom("LXRFTGUITKRLPKOIPGRF");
    font.glyphs[0xB1] = glyphFrom("E_RJRV RIP[P RI[[[");
    const StrokeGlyph& o = font.glyphs['O'];
    if (!o.defined) return;
    StrokeGlyph diameter = o;
    diameter.strokes.moveTo(o.advance / 2 - 9, 12);
    diameter.strokes.lineTo(o.advance / 2 + 9, -15);
    font.glyphs[0xD8] = diameter;
}

// Moves every glyph so the baseline (the foot of 'H') is y 0.
void settleOnBaseline(StrokeFont& font, const std::string& source) {
    const StrokeGlyph& h = font.glyphs['H'];
    const QRectF capital = h.strokes.boundingRect();
    if (!h.defined || capital.height() <= 0) fail(source, "it has no capital H to measure");
    font.capHeight = capital.height();
    const double baseline = capital.bottom();
    for (StrokeGlyph& g : font.glyphs) {
        if (!g.defined) continue;
        g.strokes.translate(0, -baseline);
        if (!g.strokes.isEmpty())
            font.descent = std::max(font.descent, g.strokes.boundingRect().bottom());
    }
}

}  // namespace

StrokeFont parseHersheyFont(std::string_view text, const std::string& source) {
    StrokeFont font;
    Reader r{text, source};
    for (unsigned code = ' '; !atEnd(r); ++code) {
        const std::string pairs = nextGlyphPairs(r);
        if (code <= '~') font.glyphs[code] = glyphFrom(pairs);
    }
    addCadSigns(font);
    settleOnBaseline(font, source);
    return font;
}

StrokeFont readHersheyFont(const std::filesystem::path& file) {
    std::string text;
    try {
        text = readFileBounded(file, kLargestFontFile);
    } catch (const FileReadError& e) {
        fail(file.string(), e.what());
    }
    return parseHersheyFont(text, file.string());
}

std::optional<StrokeText> setInStrokes(const StrokeFont& font, const QString& text) {
    StrokeText set;
    for (const QChar c : text) {
        if (c.unicode() >= font.glyphs.size() || !font.glyphs[c.unicode()].defined)
            return std::nullopt;
        const StrokeGlyph& g = font.glyphs[c.unicode()];
        for (int i = 0; i < g.strokes.elementCount(); ++i) {
            const QPainterPath::Element& e = g.strokes.elementAt(i);
            if (e.isMoveTo()) {
                set.strokes.moveTo(e.x + set.width, e.y);
            } else {
                set.strokes.lineTo(e.x + set.width, e.y);
            }
        }
        set.width += g.advance;
    }
    return set;
}

const StrokeFont* romanSimplexFont() {
    static const std::optional<StrokeFont> font = []() -> std::optional<StrokeFont> {
        try {
            return readHersheyFont(PLOVIS_STROKE_FONT);
        } catch (const HostError& e) {
            qWarning("plovis: warning: %s; texts are drawn in the system font instead", e.what());
            return std::nullopt;
        }
    }();
    return font ? &*font : nullptr;
}

}  // namespace plovis
