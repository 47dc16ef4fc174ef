#include "pages/Controls.h"

namespace pages {

std::vector<std::string> ListControl::items() const
{
    std::vector<std::string> result;
    const std::size_t n = count();
    result.reserve(n);
    for (std::size_t index = 0; index < n; ++index)
        result.push_back(item(index));
    return result;
}

void ListControl::removeSelected()
{
    for (std::size_t index = count(); index-- > 0;) {
        if (isSelected(index))
            remove(index);
    }
}

} // namespace pages
