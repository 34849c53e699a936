#include "shell/pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace plovis {
namespace {

const QColor kWater(30, 110, 190);
const QColor kGround(140, 95, 50);
const QColor kGrade(200, 40, 160);

QPixmap blank(QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

}  // namespace

QPixmap headingPicture(QSize size) {
    QPixmap pixmap = blank(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont font("Arial", 10, QFont::Bold);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 3);
    p.setFont(font);
    p.setPen(kWater.darker(130));
    p.drawText(pixmap.rect(), Qt::AlignCenter, "P L O V I S");
    return pixmap;
}

QPixmap bannerPicture(QSize size) {
    QPixmap pixmap = blank(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width(), h = size.height();
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, QColor(220, 236, 250));
    sky.setColorAt(1, Qt::white);
    p.fillRect(pixmap.rect(), sky);
    // The ground falls from the intake on the left to the village on the right.
    QPainterPath ground;
    ground.moveTo(0, h * 0.25);
    ground.cubicTo(w * 0.25, h * 0.3, w * 0.35, h * 0.75, w * 0.55, h * 0.6);
    ground.cubicTo(w * 0.7, h * 0.5, w * 0.8, h * 0.9, w, h * 0.85);
    QPainterPath earth = ground;
    earth.lineTo(w, h);
    earth.lineTo(0, h);
    earth.closeSubpath();
    p.fillPath(earth, QColor(225, 205, 170));
    p.setPen(QPen(kGround, 1.5));
    p.drawPath(ground);
    // The hydraulic grade line above it, dashed, and the intake tank.
    p.setPen(QPen(kGrade, 1, Qt::DashLine));
    p.drawLine(QPointF(w * 0.06, h * 0.2), QPointF(w * 0.97, h * 0.62));
    p.setPen(QPen(kWater, 1));
    p.setBrush(kWater.lighter(150));
    p.drawRect(QRectF(w * 0.03, h * 0.12, w * 0.06, h * 0.14));
    return pixmap;
}

QPixmap emblemPicture(QSize size) {
    QPixmap pixmap = blank(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const double h = size.height();
    // A water drop beside the name.
    QPainterPath drop;
    drop.moveTo(h * 0.45, h * 0.08);
    drop.cubicTo(h * 0.2, h * 0.45, h * 0.1, h * 0.6, h * 0.1, h * 0.68);
    drop.arcTo(QRectF(h * 0.1, h * 0.35, h * 0.7, h * 0.6), 180, 180);
    drop.cubicTo(h * 0.8, h * 0.6, h * 0.7, h * 0.45, h * 0.45, h * 0.08);
    QLinearGradient fill(0, 0, 0, h);
    fill.setColorAt(0, kWater.lighter(160));
    fill.setColorAt(1, kWater);
    p.setPen(QPen(kWater.darker(140), 1));
    p.setBrush(fill);
    p.drawPath(drop);
    p.setPen(kWater.darker(150));
    p.setFont(QFont("Arial", 11, QFont::Bold));
    p.drawText(QRectF(h * 0.9, 0, size.width() - h * 0.9, h), Qt::AlignVCenter | Qt::AlignLeft,
               "PLOVIS");
    return pixmap;
}

}  // namespace plovis
