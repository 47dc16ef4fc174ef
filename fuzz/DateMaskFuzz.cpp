// The masked date field under any key sequence: the text a handler reads is
// always ten bytes with the separator at 5 and 8 and only digits or spaces
// elsewhere, the caret stays in the field, and Escape brings back the text of
// the last focus-in.
#include "common/DateMask.h"
#include "common/Error.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void checkShape(const common::DateMask& mask)
{
    const std::string text = mask.text();
    const std::string shown = mask.displayText();
    if (text.size() != 10 || shown.size() != 10 || mask.caret() < 0 || mask.caret() > 10)
        std::abort();
    for (int i = 0; i < 10; ++i) {
        const bool separator = i == 4 || i == 7;
        if (separator && text[i] != mask.dateSeparator())
            std::abort();
        if (!separator && !(text[i] == ' ' || (text[i] >= '0' && text[i] <= '9')))
            std::abort();
        if (!separator && (text[i] == ' ') != (shown[i] == '_'))
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    common::DateMask mask((data[0] & 1) ? '-' : '/');
    std::string focusText = mask.text();
    mask.focusIn();
    for (std::size_t i = 1; i < size; ++i) {
        const std::uint8_t key = data[i];
        switch (key) {
        case 0x01:
            mask.backspace();
            break;
        case 0x02:
            mask.deleteForward();
            break;
        case 0x03:
            mask.moveCaretLeft();
            break;
        case 0x04:
            mask.moveCaretRight();
            break;
        case 0x05:
            mask.setCaret(i + 1 < size ? data[++i] % 14 - 2 : 0);
            break;
        case 0x06: {
            const int begin = i + 1 < size ? data[++i] % 12 : 0;
            const int end = i + 1 < size ? data[++i] % 12 : 0;
            mask.clearRange(begin, end);
            break;
        }
        case 0x07:
            mask.focusIn();
            focusText = mask.text();
            break;
        case 0x08: {
            const bool changed = mask.isChanged();
            if (mask.escape() != changed || (changed && mask.text() != focusText) || mask.isChanged())
                std::abort();
            break;
        }
        case 0x09:
            try {
                mask.checkOnLeave();
            } catch (const common::Error&) {
                if (mask.isValid() || mask.caret() != mask.firstBlankDayPosition())
                    std::abort();
            }
            break;
        default:
            mask.typeChar(static_cast<char>(key));
            break;
        }
        checkShape(mask);
    }
    return 0;
}
