#pragma once
// The drawing on screen: model space painted as on white paper (colour 7 black), zoomed with the
// wheel about the cursor, panned by dragging, fitted to the window; and, while a command asks for
// a point, a click picks it in drawing units.

#include <QImage>
#include <QWidget>

#include "hosts/cad_drawing.h"

namespace plovis {

// Where the view looks: its scale and the drawing point at its lower left corner.
struct ViewState {
    double pixelsPerUnit = 0;  // 0: not placed yet; fitted when first shown
    double originX = 0;
    double originY = 0;
    // Fitted again whenever the drawing changes, until the user zooms or pans.
    bool followsDrawing = true;
};

class DrawingView : public QWidget {
    Q_OBJECT
  public:
    explicit DrawingView(QWidget* parent = nullptr);

    // The drawing shown (none: an empty sheet) and the state of the view on it, kept by the
    // caller so that each drawing keeps its own view.
    void setDrawing(const Drawing* drawing, ViewState* state);
    // Paints the drawing anew (fitted again while the view follows it).
    void drawingChanged();
    void fit();
    void zoomBy(double factor);
    void zoomBy(double factor, const QPointF& around);
    // Moves the drawing by that many pixels (right and down).
    void panBy(const QPointF& pixels);
    const ViewState& state() const { return *state_; }
    // Drawing units of a point of the widget, and back.
    QPointF toDrawing(const QPointF& pixel) const;
    QPointF toPixel(const QPointF& point) const;
    // While picking, a left click picks the point under it.
    void setPicking(bool picking);
    bool picking() const { return picking_; }

    static constexpr double kWheelStep = 1.25;

  signals:
    void picked(QPointF point);
    void escapePressed();
    void cursorMoved(QPointF point);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void render();
    void moved();

    const Drawing* drawing_ = nullptr;
    ViewState own_;
    ViewState* state_ = &own_;
    QImage image_;  // the drawing as last painted
    bool stale_ = true;
    bool dragging_ = false;
    QPointF dragStart_;
    QPointF dragOffset_;
    bool picking_ = false;
};

}  // namespace plovis
