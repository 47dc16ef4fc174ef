// The navigator bar DBNavigator1: its ten buttons, which of them are enabled
// in which state of the data link and its query, and what each does.
#pragma once

#include <array>

namespace pages {

class DataSource;

// The buttons in bar order. A struct, so that a navigator control can take
// the names into its own scope by deriving from it.
struct NavigatorButtons {
    enum Button { First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel, Refresh };
    static constexpr int kButtonCount = 10;
};

// What the enable rules look at.
struct NavigatorState {
    bool active = false; // the link is on and the query open
    bool atBeginning = false;
    bool atEnd = false;
    bool canModify = false;
    bool empty = false;
    bool editing = false; // a row is being edited or inserted
};

// All ten disabled while the link is off or the query closed; otherwise
// first and prior unless at the beginning, next and last unless at the end,
// insert and refresh when the query can be modified, delete when it can and
// is not empty, edit when it can and no row is being edited, post and
// cancel when it can and a row is being edited or inserted.
std::array<bool, NavigatorButtons::kButtonCount> navigatorEnabled(const NavigatorState& state);

NavigatorState navigatorState(const DataSource& source);

// A click on a button, through the link (delete asks first).
void pressNavigatorButton(DataSource& source, NavigatorButtons::Button button);

} // namespace pages
