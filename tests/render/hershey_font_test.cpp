// The single-stroke font: reading .jhf files (good, wrapped and broken), setting texts in it, and
// texts painted at their height and alignment.
#include <gtest/gtest.h>

#include <QImage>

#include "hosts/cad_drawing.h"
#include "hosts/host_error.h"
#include "render/drawing_painter.h"
#include "render/hershey_font.h"
#include "support/failure_text.h"

namespace plovis {
namespace {

// Roman Simplex: capitals 21 units over the baseline, descenders 7 under; the widths of the
// table's words; the CAD signs present, accented letters not. A glyph wrapped over two lines
// reads as the whole one.
TEST(StrokeFont, RomanSimplexMeasuresAsCadProgramsWrappedGlyphsRead) {
    const StrokeFont* font = romanSimplexFont();
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(std::pair(font->capHeight, font->descent), std::pair(21.0, 7.0));
    const std::pair<const char*, double> widths[] = {
        {"Boulders", 134}, {"Soft rock", 146}, {"\xc3\x98\xc2\xb0\xc2\xb1", 60}};
    for (const auto& [text, width] : widths)
        EXPECT_EQ(setInStrokes(*font, QString::fromUtf8(text)).value().width, width) << text;
    EXPECT_FALSE(setInStrokes(*font, QString::fromUtf8("Caf\xc3\xa9")));
    std::string wrapped;
    for (char c = ' '; c < 'H'; ++c)
        wrapped += "    0  1JZ\n";
    const StrokeFont small = parseHersheyFont(wrapped + "    8  9G]KFK[ R\r\nYFY[ RKPYP", "f");
    EXPECT_EQ(small.glyphs['H'].strokes, font->glyphs['H'].strokes);
}

TEST(StrokeFont, BrokenFilesFailNamingLineAndFault) {
    const std::pair<std::string, const char*> cases[] = {
        {"    1  x", "line 1: the vertex count \"  x\" is not a number"},
        {"  12", "line 1: the glyph's number and vertex count are cut short"},
        {"    1  0", "line 1: a glyph needs at least its left and right bearings"},
        {"    1  3MWOM", "line 1: the glyph ends before its 3 vertices"},
        {"    1  1MWOM\n", "line 1: the glyph runs on past its vertices"},
        {"\n    1  2MW\tM", "line 2: a coordinate is not a printable character"},
        {"    1  3MW OOV", "line 1: a space stands where a coordinate belongs"},
        {"    1  1WM", "line 1: the right bearing is left of the left one"},
        {"    1  1JZ", "it has no capital H to measure"},
    };
    for (const auto& [text, message] : cases)
        EXPECT_EQ(test::failureText<HostError>([&] { parseHersheyFont(text, "f"); }),
                  "The stroke font f could not be read: " + std::string(message));
    EXPECT_THROW(readHersheyFont("/no/such/font.jhf"), HostError);
}

// The ink of a drawing painted at 10 pixels per millimetre on a 100 x 50 mm page, in drawing
// millimetres (left, bottom, right, top).
QRectF inkBox(const Drawing& d, const StrokeFont* font) {
    QImage image(1000, 500, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    DrawingPainter paint(painter, PageLayout{100, 50, 1, 0, 0}, 10);
    paint.setStrokeFont(font);
    paint.paint(d);
    painter.end();
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) box |= QRect(x, y, 1, 1);
    return QRectF(QPointF(box.left() / 10.0, (500 - box.bottom() - 1) / 10.0),
                  QPointF((box.right() + 1) / 10.0, (500 - box.top()) / 10.0));
}

// "HH" 10 mm high: the capitals fill the height, the first stands 4/21 of the height after the
// text's start, and a centred or right text stands its advance width (44 units) back. Without
// the stroke font the system font's capitals still fill the height.
TEST(StrokeFont, TextsStandOnTheirAlignmentPointAtTheirHeight) {
    const double ink = 36.0 / 21 * 10, advance = 44.0 / 21 * 10, side = 4.0 / 21 * 10;
    const double pen = DrawingPainter::kLineWeightMm / 2, tolerance = pen + 0.1;
    const struct {
        TextAlignment alignment;
        Point at;
        double left, bottom;
    } cases[] = {
        {TextAlignment::Left, {20, 20, 0}, 20 + side, 20},
        {TextAlignment::Right, {70, 20, 0}, 70 - advance + side, 20},
        {TextAlignment::MiddleCenter, {50, 25, 0}, 50 - advance / 2 + side, 20},
        {TextAlignment::TopLeft, {20, 40, 0}, 20 + side, 30},
    };
    for (const auto& c : cases) {
        Drawing d;
        CadText& t = d.modelSpace().addText("HH", c.at, 10);
        t.setAlignment(c.alignment);
        if (c.alignment != TextAlignment::Left) t.setTextAlignmentPoint(c.at);
        const QRectF box = inkBox(d, romanSimplexFont());
        EXPECT_NEAR(box.left(), c.left - pen, tolerance);
        EXPECT_NEAR(box.right(), c.left + ink + pen, tolerance);
        EXPECT_NEAR(box.top(), c.bottom - pen, tolerance);  // QRectF's top: the lower edge here
        EXPECT_NEAR(box.bottom(), c.bottom + 10 + pen, tolerance);
    }
    Drawing d;
    d.modelSpace().addText("HH", {20, 20, 0}, 10);
    const QRectF system = inkBox(d, nullptr);
    EXPECT_NEAR(system.top(), 20, 0.2);
    EXPECT_NEAR(system.bottom(), 30, 0.2);
}

}  // namespace
}  // namespace plovis
