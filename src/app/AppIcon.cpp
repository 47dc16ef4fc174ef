#include "app/AppIcon.h"

#include <QPainter>
#include <QPixmap>

namespace app {

QIcon applicationIcon()
{
    // Drawn rather than loaded: a rising bar chart over a sheet, in colours
    // of the 16-colour palette, so no resource file has to travel with the program.
    QPixmap image(40, 40);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setPen(QColor(0, 0, 128));
    painter.setBrush(Qt::white);
    painter.drawRect(3, 3, 33, 33);
    painter.setPen(Qt::NoPen);
    const QColor bars[] = {QColor(0, 128, 0), QColor(128, 0, 0), QColor(0, 128, 128), QColor(255, 0, 0)};
    for (int i = 0; i < 4; ++i) {
        const int height = 8 + 6 * i;
        painter.setBrush(bars[i]);
        painter.drawRect(7 + 7 * i, 33 - height, 5, height);
    }
    painter.end();
    return QIcon(image);
}

} // namespace app
