#include "render/drawing_painter.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPaintEngine>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "render/aci_colors.h"

namespace plovis {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kFontPixels = 100;  // texts are drawn from this size, scaled to their height

// A dash pattern in device units, as Qt wants it: dash and gap alternating, starting with a dash,
// in units of the pen width. Dots become dashes as long as the pen is wide. Empty when the pattern
// is too fine to show (it then draws solid).
QList<qreal> qtDashes(const std::vector<double>& pattern, double devicePerUnit, double penWidth) {
    QList<qreal> runs;
    bool lastOn = false;
    double total = 0;
    for (double element : pattern) {
        const bool on = element >= 0;
        const double length = element == 0 ? penWidth : std::fabs(element) * devicePerUnit;
        total += length;
        if (runs.isEmpty() && !on) runs.push_back(0);
        if (!runs.isEmpty() && on == lastOn) {
            runs.back() += length;
        } else {
            runs.push_back(length);
        }
        lastOn = on;
    }
    if (runs.size() % 2 != 0) runs.push_back(0);
    if (total < 4 * penWidth) return {};
    for (qreal& r : runs)
        r = std::max(r / penWidth, 0.01);
    return runs;
}

QFont textFont() {
    QFont font("DejaVu Sans");
    font.setPixelSize(static_cast<int>(kFontPixels));
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

}  // namespace

QString displayText(const std::string& text) {
    QString shown;
    const QString source = QString::fromStdString(text);
    for (qsizetype i = 0; i < source.size(); ++i) {
        if (source[i] == '%' && i + 2 < source.size() && source[i + 1] == '%') {
            const QChar code = source[i + 2].toLower();
            if (code == 'c') shown += QChar(0x00D8);
            if (code == 'd') shown += QChar(0x00B0);
            if (code == 'p') shown += QChar(0x00B1);
            if (code == '%') shown += '%';
            if (QString("cdp%uo").contains(code)) {
                i += 2;
                continue;
            }
        }
        shown += source[i];
    }
    return shown;
}

DrawingPainter::DrawingPainter(QPainter& painter, const PageLayout& page, double unitsPerMm)
    : painter_(painter),
      page_(page),
      unitsPerMm_(unitsPerMm),
      font_(textFont()),
      metrics_(font_, painter.device()),
      capHeight_(std::max(metrics_.capHeight(), 1.0)),
      descent_(metrics_.descent()),
      strokeFont_(romanSimplexFont()),
      hiddenText_(hiddenTextFor(painter.paintEngine())),
      rawFont_(hiddenText_ == HiddenText::Glyphs ? QRawFont::fromFont(font_) : QRawFont()) {}

void DrawingPainter::paint(const Drawing& drawing) {
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setRenderHint(QPainter::TextAntialiasing);
    painter_.setFont(font_);
    painter_.fillRect(QRectF(0, 0, page_.widthMm * unitsPerMm_, page_.heightMm * unitsPerMm_),
                      Qt::white);
    WalkVisitor visitor;
    visitor.entity = [this](const CadEntity& e, const Transform2D& t, const ShownStyle& s) {
        entity(e, t, s);
    };
    visitor.attribute = [this](const CadAttribute& a, const Transform2D& t, const ShownStyle& s) {
        text(a, displayText(a.textString()), t, s);
    };
    walkModelSpace(drawing, visitor);
    painter_.restore();
}

// Block coordinates through the reference placement t, then onto the page, to device units.
QTransform DrawingPainter::deviceTransform(const Transform2D& t) const {
    const double k = unitsPerMm_ * page_.scale;
    return QTransform(k * t.a, -k * t.b, k * t.c, -k * t.d, k * (t.e - page_.originX),
                      unitsPerMm_ * (page_.heightMm - page_.scale * (t.f - page_.originY)));
}

// The plotted pen, solid: texts are always drawn so, whatever their layer's line type.
QPen DrawingPainter::plotPen(const ShownStyle& style) const {
    const Rgb rgb = paperColor(style.color);
    QPen pen(QColor(rgb.r, rgb.g, rgb.b), std::max(kLineWeightMm * unitsPerMm_, minimumLineWidth_));
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

void DrawingPainter::setPen(const ShownStyle& style) {
    QPen pen = plotPen(style);
    if (style.linetype) {
        const QList<qreal> dashes =
            qtDashes(style.linetype->pattern, unitsPerMm_ * page_.scale, pen.widthF());
        if (!dashes.isEmpty()) {
            pen.setCapStyle(Qt::FlatCap);
            pen.setDashPattern(dashes);
        }
    }
    painter_.setPen(pen);
    painter_.setBrush(Qt::NoBrush);
}

// Arcs are drawn as chords no more than a quarter of a device unit off the curve.
QPainterPath DrawingPainter::arcPath(const Point& c, double r, double from, double to,
                                     double deviceRadius) const {
    if (to <= from) to += 2 * kPi;
    const double sweep = to - from;
    const int steps =
        std::clamp(static_cast<int>(std::ceil(sweep * std::sqrt(deviceRadius * 2))), 8, 1024);
    QPainterPath path;
    for (int i = 0; i <= steps; ++i) {
        const double a = from + sweep * i / steps;
        const QPointF p(c.x + r * std::cos(a), c.y + r * std::sin(a));
        if (i == 0) {
            path.moveTo(p);
        } else {
            path.lineTo(p);
        }
    }
    return path;
}

// Straight segments, and bulged ones as arcs through their end vertices.
QPainterPath DrawingPainter::polylinePath(const CadPolyline& p, double deviceScale) const {
    const auto& v = p.vertices();
    QPainterPath path;
    if (v.empty()) return path;
    path.moveTo(v[0].x, v[0].y);
    const std::size_t segments = p.closed() ? v.size() : v.size() - 1;
    for (std::size_t i = 0; i < segments; ++i) {
        const PolylineVertex& a = v[i];
        const PolylineVertex& b = v[(i + 1) % v.size()];
        const double chord = std::hypot(b.x - a.x, b.y - a.y);
        if (a.bulge == 0 || chord == 0) {
            path.lineTo(b.x, b.y);
            continue;
        }
        const double included = 4 * std::atan(a.bulge);
        const double radius = chord / (2 * std::sin(std::fabs(included) / 2));
        const double toCentre = radius * std::cos(included / 2) * (a.bulge > 0 ? 1 : -1);
        const double mx = (a.x + b.x) / 2, my = (a.y + b.y) / 2;
        const Point centre{mx - (b.y - a.y) / chord * toCentre, my + (b.x - a.x) / chord * toCentre,
                           0};
        double start = std::atan2(a.y - centre.y, a.x - centre.x);
        double end = std::atan2(b.y - centre.y, b.x - centre.x);
        if (a.bulge < 0) std::swap(start, end);
        QPainterPath arc = arcPath(centre, radius, start, end, radius * deviceScale);
        if (a.bulge < 0) arc = arc.toReversed();
        for (int k = 1; k < arc.elementCount(); ++k)
            path.lineTo(arc.elementAt(k).x, arc.elementAt(k).y);
    }
    if (p.closed()) path.closeSubpath();
    return path;
}

void DrawingPainter::entity(const CadEntity& e, const Transform2D& t, const ShownStyle& style) {
    if (const auto* t1 = entityAs<CadText>(e))
        return text(*t1, displayText(t1->textString()), t, style);
    // An attribute definition outside a block shows its tag.
    if (const auto* def = entityAs<CadAttributeDefinition>(e)) {
        return text(*def, displayText(def->tagString()), t, style);
    }
    setPen(style);
    const QTransform device = deviceTransform(t);
    const double deviceScale = std::sqrt(std::fabs(device.determinant()));
    switch (e.kind()) {
        case EntityKind::Line: {
            const auto& line = *entityAs<CadLine>(e);
            painter_.drawLine(device.map(QLineF(line.startPoint().x, line.startPoint().y,
                                                line.endPoint().x, line.endPoint().y)));
            break;
        }
        case EntityKind::Circle: {
            const auto& c = *entityAs<CadCircle>(e);
            QPainterPath path =
                arcPath(c.center(), c.radius(), 0, 2 * kPi, c.radius() * deviceScale);
            path.closeSubpath();
            painter_.drawPath(device.map(path));
            break;
        }
        case EntityKind::Arc: {
            const auto& a = *entityAs<CadArc>(e);
            painter_.drawPath(device.map(arcPath(a.center(), a.radius(), a.startAngle(),
                                                 a.endAngle(), a.radius() * deviceScale)));
            break;
        }
        case EntityKind::Polyline:
            painter_.drawPath(device.map(polylinePath(*entityAs<CadPolyline>(e), deviceScale)));
            break;
        default:
            break;
    }
}

// Under the strokes of a PDF or SVG text lies the text itself, invisible, in the system font
// stretched over the strokes, so the drawing can be searched and copied from. PDF takes it as a
// run of the font's glyphs (mapping them back to characters itself), which spares shaping every
// text; SVG needs the characters.
DrawingPainter::HiddenText DrawingPainter::hiddenTextFor(const QPaintEngine* engine) {
    if (engine && engine->type() == QPaintEngine::Pdf) return HiddenText::Glyphs;
    if (engine && engine->type() == QPaintEngine::SVG) return HiddenText::Text;
    return HiddenText::None;
}

void DrawingPainter::hiddenText(const QString& shown, const QTransform& place,
                                double strokesWidth) {
    QGlyphRun run;
    double width = 0;
    if (hiddenText_ == HiddenText::Glyphs) {
        const QList<quint32> glyphs = rawFont_.glyphIndexesForString(shown);
        QList<QPointF> positions;
        for (const QPointF& advance : rawFont_.advancesForGlyphIndexes(glyphs)) {
            positions.push_back({width, 0});
            width += advance.x();
        }
        run.setRawFont(rawFont_);
        run.setGlyphIndexes(glyphs);
        run.setPositions(positions);
    } else if (hiddenText_ == HiddenText::Text) {
        width = metrics_.horizontalAdvance(shown);
    }
    if (width <= 0) return;
    painter_.setPen(Qt::transparent);
    painter_.setTransform(
        QTransform::fromScale(strokesWidth / width, strokeFont_->capHeight / capHeight_) * place);
    if (hiddenText_ == HiddenText::Glyphs) {
        painter_.drawGlyphRun(QPointF(0, 0), run);
    } else {
        painter_.drawText(QPointF(0, 0), shown);
    }
    painter_.resetTransform();
}

// The strokes go through the painter's transform in the font's own units: a PDF then holds each
// text as short whole numbers under one matrix, not as long device coordinates.
void DrawingPainter::text(const CadTextProperties& t, const QString& shown,
                          const Transform2D& placement, const ShownStyle& style) {
    if (shown.isEmpty()) return;
    const std::optional<StrokeText> strokes =
        strokeFont_ ? setInStrokes(*strokeFont_, shown) : std::nullopt;
    if (!strokes) {
        const TextMetrics system{metrics_.horizontalAdvance(shown), capHeight_, descent_};
        const TextPlacement place = textPlacement(t, placement, system);
        return systemFontText(shown, place.full(), plotPen(style).color());
    }
    const TextPlacement place =
        textPlacement(t, placement, {strokes->width, strokeFont_->capHeight, strokeFont_->descent});
    if (!(place.units > 0 && std::isfinite(place.units))) return;
    QPen pen = plotPen(style);
    pen.setWidthF(pen.widthF() / place.units);
    painter_.setPen(pen);
    painter_.setBrush(Qt::NoBrush);
    painter_.setTransform(place.upright);
    painter_.drawPath(place.widen == 1
                          ? strokes->strokes
                          : QTransform::fromScale(place.widen, 1).map(strokes->strokes));
    painter_.resetTransform();
    hiddenText(shown, place.full(), strokes->width);
}

void DrawingPainter::systemFontText(const QString& shown, const QTransform& place,
                                    const QColor& color) {
    painter_.setPen(color);
    painter_.setTransform(place);
    painter_.drawText(QPointF(0, 0), shown);
    painter_.resetTransform();
}

// A text stands on its anchor: left, centre or right of it along the text's direction; its
// baseline on it, the bottom of its descenders on it, its capitals centred on it or hanging from
// it. Aligned and Fit text runs from its insertion point to its alignment point (Aligned keeps
// its proportions, Fit stretches the characters). The placement takes the text's own units (x
// along the baseline from its start, y down from the baseline) to the device.
DrawingPainter::TextPlacement DrawingPainter::textPlacement(const CadTextProperties& t,
                                                            const Transform2D& placement,
                                                            const TextMetrics& m) const {
    const QTransform device = deviceTransform(placement);
    const double deviceScale = std::sqrt(std::fabs(device.determinant()));
    double units = t.height() * deviceScale / m.capHeight;  // device units per font unit
    double widen = t.widthFactor();
    QPointF anchor = device.map(QPointF(t.anchorPoint().x, t.anchorPoint().y));
    double angle = t.rotation() + placement.rotation();
    double across = 0;  // start of the text from the anchor, in font units
    if (t.usesBothPoints()) {
        const QPointF to = device.map(QPointF(t.textAlignmentPoint().x, t.textAlignmentPoint().y));
        anchor = device.map(QPointF(t.insertionPoint().x, t.insertionPoint().y));
        angle = -std::atan2(to.y() - anchor.y(), to.x() - anchor.x());
        const double length = std::hypot(to.x() - anchor.x(), to.y() - anchor.y());
        if (length > 0 && m.width > 0 && t.horizontalAlignment() == HorizontalAlignment::Aligned) {
            units = length / m.width;
            widen = 1;
        } else if (length > 0 && m.width > 0) {
            widen = length / (m.width * units);
        }
    } else if (t.horizontalAlignment() == HorizontalAlignment::Center ||
               t.horizontalAlignment() == HorizontalAlignment::Middle) {
        across = -m.width / 2;
    } else if (t.horizontalAlignment() == HorizontalAlignment::Right) {
        across = -m.width;
    }
    double baseline = 0;  // baseline below the anchor, in font units (downwards positive)
    switch (t.verticalAlignment()) {
        case VerticalAlignment::Bottom:
            baseline = -m.descent;
            break;
        case VerticalAlignment::Middle:
            baseline = m.capHeight / 2;
            break;
        case VerticalAlignment::Top:
            baseline = m.capHeight;
            break;
        default:
            break;
    }
    if (t.horizontalAlignment() == HorizontalAlignment::Middle) baseline = m.capHeight / 2;
    QTransform upright;
    upright.translate(anchor.x(), anchor.y());
    upright.rotate(-angle * 180 / kPi);
    upright.scale(units, units);
    upright.translate(across * widen, baseline);
    return {upright, widen, units};
}

}  // namespace plovis
