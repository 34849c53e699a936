#include "shell/drawing_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "hosts/cad_extents.h"
#include "render/drawing_painter.h"

namespace plovis {
namespace {

constexpr double kFitMarginPixels = 20;
constexpr double kLeastScale = 1e-6;  // pixels per drawing unit
constexpr double kLargestScale = 1e4;

}  // namespace

DrawingView::DrawingView(QWidget* parent) : QWidget(parent) {
    setObjectName("drawingView");
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(200, 150);
}

void DrawingView::setDrawing(const Drawing* drawing, ViewState* state) {
    drawing_ = drawing;
    state_ = state ? state : &own_;
    if (state_->pixelsPerUnit <= 0) fit();
    stale_ = true;
    update();
}

void DrawingView::drawingChanged() {
    if (state_->followsDrawing) {
        fit();
    } else {
        stale_ = true;
        update();
    }
}

void DrawingView::fit() {
    ViewState& s = *state_;
    const double w = std::max(width(), 1), h = std::max(height(), 1);
    const Extents e = drawing_ ? modelSpaceExtents(*drawing_) : Extents{};
    double cx = 0, cy = 0;
    s.pixelsPerUnit = 1;
    if (!e.empty()) {
        const double fx = e.width() > 0 ? (w - 2 * kFitMarginPixels) / e.width() : kLargestScale;
        const double fy = e.height() > 0 ? (h - 2 * kFitMarginPixels) / e.height() : kLargestScale;
        s.pixelsPerUnit = std::clamp(std::min(fx, fy), kLeastScale, kLargestScale);
        if (e.width() == 0 && e.height() == 0) s.pixelsPerUnit = 1;
        cx = (e.minX + e.maxX) / 2;
        cy = (e.minY + e.maxY) / 2;
    }
    s.originX = cx - w / 2 / s.pixelsPerUnit;
    s.originY = cy - h / 2 / s.pixelsPerUnit;
    s.followsDrawing = true;
    stale_ = true;
    update();
}

void DrawingView::zoomBy(double factor) {
    zoomBy(factor, QPointF(width() / 2.0, height() / 2.0));
}

void DrawingView::zoomBy(double factor, const QPointF& around) {
    ViewState& s = *state_;
    const QPointF fixed = toDrawing(around);
    s.pixelsPerUnit = std::clamp(s.pixelsPerUnit * factor, kLeastScale, kLargestScale);
    s.originX = fixed.x() - around.x() / s.pixelsPerUnit;
    s.originY = fixed.y() - (height() - around.y()) / s.pixelsPerUnit;
    moved();
}

QPointF DrawingView::toDrawing(const QPointF& pixel) const {
    const ViewState& s = *state_;
    return {s.originX + pixel.x() / s.pixelsPerUnit,
            s.originY + (height() - pixel.y()) / s.pixelsPerUnit};
}

QPointF DrawingView::toPixel(const QPointF& point) const {
    const ViewState& s = *state_;
    return {(point.x() - s.originX) * s.pixelsPerUnit,
            height() - (point.y() - s.originY) * s.pixelsPerUnit};
}

void DrawingView::setPicking(bool picking) {
    picking_ = picking;
    setCursor(picking ? Qt::CrossCursor : Qt::ArrowCursor);
}

// The user moved the view: it no longer follows the drawing.
void DrawingView::moved() {
    state_->followsDrawing = false;
    stale_ = true;
    update();
}

void DrawingView::render() {
    const qreal ratio = devicePixelRatioF();
    image_ =
        QImage((QSizeF(size()) * ratio).toSize().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image_.setDevicePixelRatio(ratio);
    image_.fill(Qt::white);
    if (drawing_) {
        const ViewState& s = *state_;
        PageLayout page;
        page.widthMm = width() / s.pixelsPerUnit;
        page.heightMm = height() / s.pixelsPerUnit;
        page.originX = s.originX;
        page.originY = s.originY;
        QPainter painter(&image_);
        DrawingPainter paint(painter, page, s.pixelsPerUnit);
        paint.setMinimumLineWidth(1);
        paint.paint(*drawing_);
    }
    stale_ = false;
}

void DrawingView::paintEvent(QPaintEvent*) {
    if (stale_) render();
    QPainter painter(this);
    if (dragging_) painter.fillRect(rect(), palette().window());
    painter.drawImage(dragOffset_, image_);
}

void DrawingView::resizeEvent(QResizeEvent*) {
    if (state_->followsDrawing) {
        fit();
    } else {
        stale_ = true;
    }
}

void DrawingView::wheelEvent(QWheelEvent* event) {
    const double steps = event->angleDelta().y() / 120.0;
    if (steps != 0) zoomBy(std::pow(kWheelStep, steps), event->position());
    event->accept();
}

void DrawingView::mousePressEvent(QMouseEvent* event) {
    if (picking_ && event->button() == Qt::LeftButton) {
        emit picked(toDrawing(event->position()));
        return;
    }
    if (event->button() == Qt::LeftButton || event->button() == Qt::MiddleButton) {
        dragging_ = true;
        dragStart_ = event->position();
        dragOffset_ = {};
    }
}

void DrawingView::mouseMoveEvent(QMouseEvent* event) {
    emit cursorMoved(toDrawing(event->position()));
    if (!dragging_) return;
    dragOffset_ = event->position() - dragStart_;
    update();
}

void DrawingView::mouseReleaseEvent(QMouseEvent*) {
    if (!dragging_) return;
    dragging_ = false;
    const QPointF offset = dragOffset_;
    dragOffset_ = {};
    if (!offset.isNull()) panBy(offset);  // else a click, not a drag
}

void DrawingView::panBy(const QPointF& pixels) {
    ViewState& s = *state_;
    s.originX -= pixels.x() / s.pixelsPerUnit;
    s.originY += pixels.y() / s.pixelsPerUnit;
    moved();
}

void DrawingView::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Escape:
            emit escapePressed();
            break;
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            zoomBy(kWheelStep);
            break;
        case Qt::Key_Minus:
            zoomBy(1 / kWheelStep);
            break;
        default:
            QWidget::keyPressEvent(event);
    }
}

}  // namespace plovis
