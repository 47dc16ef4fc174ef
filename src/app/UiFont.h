// The windows' font: "宋体" with a character height in pixels, falling back to
// an installed CJK font where SimSun is missing.
#pragma once

#include <QFont>

namespace app {

QFont windowFont(int pixelHeight = 12);

} // namespace app
