#include "xlsx/CellReference.h"

namespace xlsx {

Reference parseCellReference(std::string_view text, std::uint32_t& row, std::uint32_t& column)
{
    std::size_t at = 0;
    std::uint64_t letters = 0;
    bool beyond = false;
    for (; at < text.size(); ++at) {
        char c = text[at];
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        if (c < 'A' || c > 'Z')
            break;
        letters = letters * 26 + static_cast<std::uint64_t>(c - 'A' + 1);
        if (letters > kSheetColumns) {
            beyond = true;
            letters = kSheetColumns + 1; // no overflow however many letters follow
        }
    }
    std::uint64_t number = 0;
    const std::size_t digitsAt = at;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        number = number * 10 + static_cast<std::uint64_t>(text[at] - '0');
        if (number > kSheetRows) {
            beyond = true;
            number = kSheetRows + 1;
        }
    }
    if (letters == 0 || at == digitsAt || at != text.size() || number == 0)
        return Reference::Malformed;
    if (beyond)
        return Reference::BeyondSheet;
    row = static_cast<std::uint32_t>(number - 1);
    column = static_cast<std::uint32_t>(letters - 1);
    return Reference::Valid;
}

} // namespace xlsx
