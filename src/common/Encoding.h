// Conversions between the system code page and Unicode (for the workbook's
// UTF-16 text, the window's QString edge and the program's own UTF-8 texts).
// Characters the target cannot hold become "?".
#pragma once

#include "common/CodePage.h"

#include <string>
#include <string_view>

namespace common {

std::string utf16ToCodePage(std::u16string_view text, const CodePage& target);
std::u16string codePageToUtf16(std::string_view text, const CodePage& source);
std::string utf8ToCodePage(std::string_view utf8, const CodePage& target);
std::string codePageToUtf8(std::string_view text, const CodePage& source);

} // namespace common
