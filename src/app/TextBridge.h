// The one place where core text (bytes in the system code page) and Qt text
// meet. Every conversion between the two goes through these functions.
#pragma once

#include "common/CodePage.h"

#include <QString>

#include <string>
#include <string_view>

namespace app {

// The code page of core text; the user's locale unless set (tests pin it).
const common::CodePage& uiCodePage();
void setUiCodePage(const common::CodePage& codePage);

QString fromBytes(std::string_view bytes);
std::string toBytes(const QString& text);

} // namespace app
