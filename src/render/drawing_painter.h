#pragma once
// Paints a drawing's model space with QPainter onto any paint device (PDF, SVG, image, screen):
// white paper, each entity in its colour (colour 7 black), its line type's dashes, texts at their
// alignment and rotation, block references with their attributes.

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

#include "hosts/cad_drawing.h"
#include "hosts/cad_walk.h"
#include "render/page_layout.h"

namespace plovis {

class DrawingPainter {
  public:
    // unitsPerMm: device units per paper millimetre.
    DrawingPainter(QPainter& painter, const PageLayout& page, double unitsPerMm);
    void paint(const Drawing& drawing);

    // Plotted line width on paper, in millimetres.
    static constexpr double kLineWeightMm = 0.25;

  private:
    QTransform deviceTransform(const Transform2D& t) const;
    void setPen(const ShownStyle& style);
    void entity(const CadEntity& e, const Transform2D& t, const ShownStyle& style);
    void text(const CadTextProperties& text, const QString& shown, const Transform2D& t,
              const ShownStyle& style);
    QPainterPath arcPath(const Point& c, double r, double from, double to,
                         double deviceRadius) const;
    QPainterPath polylinePath(const CadPolyline& p, double deviceScale) const;

    QPainter& painter_;
    PageLayout page_;
    double unitsPerMm_;
    QFont font_;
    QFontMetricsF metrics_;
    double capHeight_ = 1, descent_ = 0;  // of font_, in its own pixels
};

// What a text shows: the CAD control codes %%c, %%d, %%p and %%% as the diameter, degree,
// plus-minus and percent signs; the underline and overline switches %%u and %%o left out.
QString displayText(const std::string& text);

}  // namespace plovis
