#include "app/win32/Win32Text.h"

#include "common/CodePage.h"
#include "common/Encoding.h"

#include <map>
#include <vector>

namespace win32 {

std::string ansi(std::string_view utf8)
{
    static const common::CodePage codePage(static_cast<int>(GetACP()));
    return common::utf8ToCodePage(utf8, codePage);
}

std::string windowText(HWND window)
{
    const int length = GetWindowTextLengthA(window);
    if (length <= 0)
        return {};
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
    const int copied = GetWindowTextA(window, buffer.data(), length + 1);
    return std::string(buffer.data(), static_cast<std::size_t>(copied > 0 ? copied : 0));
}

HFONT layoutFont(int height)
{
    static std::map<int, HFONT> fonts;
    HFONT& font = fonts[height];
    if (!font) {
        const std::string face = ansi("宋体");
        font =
            CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face.c_str());
    }
    return font;
}

SIZE textExtent(HFONT font, const std::string& text)
{
    SIZE size{0, 0};
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
    if (text.empty()) {
        TEXTMETRICA metrics{};
        GetTextMetricsA(dc, &metrics);
        size.cy = metrics.tmHeight;
    }
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return size;
}

} // namespace win32
