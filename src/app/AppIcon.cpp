#include "app/AppIcon.h"

#include <QColor>
#include <QPainter>
#include <QPixmap>
#include <QRect>

#include <array>

namespace app {

namespace {

// Drawn rather than loaded, so no resource file has to travel with the
// program. Coordinates on the 40 x 40 grid the icon is laid out on.
constexpr int kGrid = 40;
const QRect kSheet(3, 3, 33, 33);
const QColor kSheetBorder(0, 0, 128);

struct Bar {
    QRect rect;
    QColor colour;
};

std::array<Bar, 4> bars()
{
    const std::array<QColor, 4> colours = {QColor(0, 128, 0), QColor(128, 0, 0), QColor(0, 128, 128),
                                           QColor(255, 0, 0)};
    std::array<Bar, 4> result;
    for (int i = 0; i < 4; ++i) {
        const int height = 8 + 6 * i;
        result[i] = {QRect(7 + 7 * i, 33 - height, 5, height), colours[i]};
    }
    return result;
}

} // namespace

QImage applicationIconImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    if (size != kGrid) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(static_cast<double>(size) / kGrid, static_cast<double>(size) / kGrid);
    }
    // A one-unit outline: at 40 pixels it covers the same pixels as the
    // cosmetic pen the icon was first drawn with.
    painter.setPen(QPen(kSheetBorder, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::white);
    if (size == kGrid)
        painter.drawRect(kSheet);
    else
        painter.drawRect(QRectF(kSheet).adjusted(0.5, 0.5, 0.5, 0.5));
    painter.setPen(Qt::NoPen);
    for (const Bar& bar : bars()) {
        painter.setBrush(bar.colour);
        painter.drawRect(bar.rect);
    }
    painter.end();
    return image;
}

QString applicationIconSvg()
{
    QString svg = QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" "
                                 "viewBox=\"0 0 %1 %1\">\n")
                      .arg(kGrid);
    svg += QStringLiteral("  <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" fill=\"#ffffff\" "
                          "stroke=\"%5\" stroke-width=\"1\"/>\n")
               .arg(kSheet.x() + 0.5)
               .arg(kSheet.y() + 0.5)
               .arg(kSheet.width())
               .arg(kSheet.height())
               .arg(kSheetBorder.name());
    for (const Bar& bar : bars()) {
        svg += QStringLiteral("  <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" fill=\"%5\"/>\n")
                   .arg(bar.rect.x())
                   .arg(bar.rect.y())
                   .arg(bar.rect.width())
                   .arg(bar.rect.height())
                   .arg(bar.colour.name());
    }
    return svg + QStringLiteral("</svg>\n");
}

QIcon applicationIcon()
{
    return QIcon(QPixmap::fromImage(applicationIconImage(kGrid)));
}

} // namespace app
