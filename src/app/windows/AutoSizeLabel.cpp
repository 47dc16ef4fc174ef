#include "app/windows/AutoSizeLabel.h"

#include <QFontMetrics>

namespace app {

AutoSizeLabel::AutoSizeLabel(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setContentsMargins(0, 0, 0, 0);
    setMargin(0);
    setIndent(0);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void AutoSizeLabel::setCaption(const QString& text)
{
    setText(text);
    const int width = fontMetrics().horizontalAdvance(text);
    if (width != this->width())
        resize(width, height());
}

} // namespace app
