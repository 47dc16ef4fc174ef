// Text at the edge of the Win32 windows: the system's own captions (UTF-8
// literals) in the ANSI code page, and window texts read back as bytes.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace win32 {

// One of the system's own texts (a UTF-8 literal) in the ANSI code page.
std::string ansi(std::string_view utf8);

// The window's text, bytes as the ANSI API gives them.
std::string windowText(HWND window);

// The layout's font "宋体" with the given height in pixels (-12: a character
// height of 12), default character set. Created once per height, kept for
// the whole process.
HFONT layoutFont(int height);

// Width and height of `text` in `font`, as a label sizes itself to it.
SIZE textExtent(HFONT font, const std::string& text);

} // namespace win32
