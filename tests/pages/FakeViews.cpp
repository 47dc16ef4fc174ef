#include "FakeViews.h"

#include <algorithm>

namespace pages_test {

bool FakeChoice::pick(const std::string& item)
{
    const auto found = std::find(items.begin(), items.end(), item);
    if (found == items.end())
        return false;
    picked = static_cast<std::size_t>(found - items.begin());
    return true;
}

void FakeList::append(const std::vector<std::string>& items)
{
    values.insert(values.end(), items.begin(), items.end());
}

void FakeList::remove(std::size_t index)
{
    values.erase(values.begin() + static_cast<std::ptrdiff_t>(index));
    std::set<std::size_t> shifted;
    for (std::size_t kept : selected) {
        if (kept != index)
            shifted.insert(kept > index ? kept - 1 : kept);
    }
    selected = shifted;
}

void FakeList::clear()
{
    values.clear();
    selected.clear();
}

void FakeForm1::setEnabled(pages::Control control, bool enabled)
{
    if (enabled) {
        disabled.erase(control);
        return;
    }
    disabled.insert(control);
    if (focused == handleOf(control))
        focused = fallbackFocus;
}

void FakeForm1::processEvents()
{
    ++eventPasses;
    if (onEvents)
        onEvents();
}

pages::WindowView::FocusHandle FakeForm1::handleOf(pages::Control control)
{
    // Any distinct, stable addresses serve as handles.
    static const std::map<pages::Control, char> handles = [] {
        std::map<pages::Control, char> made;
        for (int value = 0; value <= static_cast<int>(pages::Control::RadioGroup1); ++value)
            made[static_cast<pages::Control>(value)] = 0;
        return made;
    }();
    return &handles.at(control);
}

void FakeMappingDialog::showModal()
{
    shown = true;
    ++showings;
    if (whileShown)
        whileShown();
    shown = false;
}

} // namespace pages_test
