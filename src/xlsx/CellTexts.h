// Texts of cells as SpreadsheetML stores them: UTF-8, with characters that
// XML cannot hold (control characters; a CR, which XML turns into LF)
// written as "_xHHHH_" (the UTF-16 unit in hex), and an underscore that
// would start such an escape written as "_x005F_".
#pragma once

#include "common/CodePage.h"

#include <string>
#include <string_view>

namespace xlsx {

// The text with its "_xHHHH_" escapes replaced by their characters.
std::string unescapeText(std::string_view stored);
// The text with the characters XML cannot hold escaped, ready for an
// element's content once "&", "<" and ">" are written as entities.
std::string escapeText(std::string_view text);

// A stored text (UTF-8, escapes and all) in the system code page.
std::string storedTextToCodePage(std::string_view stored, const common::CodePage& codePage);

} // namespace xlsx
