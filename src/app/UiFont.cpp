#include "app/UiFont.h"

#include <QStringList>

namespace app {

QFont windowFont(int pixelHeight)
{
    QFont font;
    // The layouts were made for SimSun; the others keep CJK captions legible
    // where it is not installed (fontconfig picks the first one present).
    font.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("NSimSun"),
                      QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("Noto Sans CJK SC")});
    font.setPixelSize(pixelHeight);
    return font;
}

} // namespace app
