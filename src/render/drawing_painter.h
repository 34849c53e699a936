#pragma once
// Paints a drawing's model space with QPainter onto any paint device (PDF, SVG, image, screen):
// white paper, each entity in its colour (colour 7 black), its line type's dashes, texts at their
// alignment and rotation, block references with their attributes. Texts are drawn in the
// single-stroke Roman Simplex font as CAD programs plot them; in PDF and SVG an invisible copy in
// the system font lies under the strokes, so the texts can be searched and copied.

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QRawFont>

#include "hosts/cad_drawing.h"
#include "hosts/cad_walk.h"
#include "render/hershey_font.h"
#include "render/page_layout.h"

namespace plovis {

class DrawingPainter {
  public:
    // unitsPerMm: device units per paper millimetre.
    DrawingPainter(QPainter& painter, const PageLayout& page, double unitsPerMm);
    void paint(const Drawing& drawing);
    // The thinnest line drawn, in device units: a screen view zoomed far out keeps its lines
    // visible (default 0: the plotted width however thin).
    void setMinimumLineWidth(double deviceUnits) { minimumLineWidth_ = deviceUnits; }
    // The stroke font texts are drawn with (default Roman Simplex); null draws every text in the
    // system font, as does a text with a character the stroke font lacks.
    void setStrokeFont(const StrokeFont* font) { strokeFont_ = font; }

    // Plotted line width on paper, in millimetres.
    static constexpr double kLineWeightMm = 0.25;

  private:
    struct TextMetrics {  // of a text in its font's own units
        double width = 0, capHeight = 1, descent = 0;
    };
    // A text's own units (x along the baseline from its start, y down from the baseline) to the
    // device: widened along x by the width factor, then placed at a uniform scale.
    struct TextPlacement {
        QTransform upright;
        double widen = 1;
        double units = 0;  // device units per font unit
        QTransform full() const { return QTransform::fromScale(widen, 1) * upright; }
    };

    QTransform deviceTransform(const Transform2D& t) const;
    QPen plotPen(const ShownStyle& style) const;
    void setPen(const ShownStyle& style);
    void entity(const CadEntity& e, const Transform2D& t, const ShownStyle& style);
    void text(const CadTextProperties& text, const QString& shown, const Transform2D& t,
              const ShownStyle& style);
    TextPlacement textPlacement(const CadTextProperties& text, const Transform2D& t,
                                const TextMetrics& metrics) const;
    void systemFontText(const QString& shown, const QTransform& place, const QColor& color);
    enum class HiddenText { None, Glyphs, Text };
    static HiddenText hiddenTextFor(const QPaintEngine* engine);
    void hiddenText(const QString& shown, const QTransform& place, double strokesWidth);
    QPainterPath arcPath(const Point& c, double r, double from, double to,
                         double deviceRadius) const;
    QPainterPath polylinePath(const CadPolyline& p, double deviceScale) const;

    QPainter& painter_;
    PageLayout page_;
    double unitsPerMm_;
    QFont font_;
    QFontMetricsF metrics_;
    double capHeight_ = 1, descent_ = 0;  // of font_, in its own pixels
    double minimumLineWidth_ = 0;
    const StrokeFont* strokeFont_;
    HiddenText hiddenText_;  // under the strokes of each text
    QRawFont rawFont_;       // font_'s glyphs, for hidden glyph runs
};

// What a text shows: the CAD control codes %%c, %%d, %%p and %%% as the diameter, degree,
// plus-minus and percent signs; the underline and overline switches %%u and %%o left out.
QString displayText(const std::string& text);

}  // namespace plovis
