#pragma once
// The pictures of the main window and the About box, painted in code: the heading, the banner
// (a pipeline over its ground profile with the hydraulic grade line) and the emblem.

#include <QPixmap>

namespace plovis {

QPixmap headingPicture(QSize size);
QPixmap bannerPicture(QSize size);
QPixmap emblemPicture(QSize size);

}  // namespace plovis
