// The application's icon: a rising bar chart over a sheet, in colours of the
// 16-colour palette, laid out on a 40 x 40 grid. The window shows it at that
// size; the desktop's icon theme gets it at its sizes and as SVG, drawn from
// the same shapes.
#pragma once

#include <QIcon>
#include <QImage>
#include <QString>

namespace app {

QIcon applicationIcon();

// The icon as a square image of `size` pixels (40: pixel for pixel as laid out).
QImage applicationIconImage(int size);

// The icon as an SVG document with the same shapes.
QString applicationIconSvg();

} // namespace app
