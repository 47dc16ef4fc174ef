#include "pages/NavigatorRules.h"

#include "pages/DataSource.h"
#include "workbook/Query.h"

namespace pages {

std::array<bool, NavigatorButtons::kButtonCount> navigatorEnabled(const NavigatorState& state)
{
    using B = NavigatorButtons;
    std::array<bool, B::kButtonCount> on{};
    if (!state.active)
        return on;
    on[B::First] = on[B::Prior] = !state.atBeginning;
    on[B::Next] = on[B::Last] = !state.atEnd;
    on[B::Insert] = on[B::Refresh] = state.canModify;
    on[B::Delete] = state.canModify && !state.empty;
    on[B::Edit] = state.canModify && !state.editing;
    on[B::Post] = on[B::Cancel] = state.canModify && state.editing;
    return on;
}

NavigatorState navigatorState(const DataSource& source)
{
    NavigatorState state;
    if (!source.isActive())
        return state;
    const workbook::Query& query = source.query();
    const workbook::Query::State edit = query.state();
    state.active = true;
    state.atBeginning = query.bof();
    state.atEnd = query.eof();
    state.canModify = query.canModify();
    state.empty = query.isEmpty();
    state.editing = edit == workbook::Query::State::Edit || edit == workbook::Query::State::Insert;
    return state;
}

void pressNavigatorButton(DataSource& source, NavigatorButtons::Button button)
{
    switch (button) {
    case NavigatorButtons::First:
        source.first();
        break;
    case NavigatorButtons::Prior:
        source.prior();
        break;
    case NavigatorButtons::Next:
        source.next();
        break;
    case NavigatorButtons::Last:
        source.last();
        break;
    case NavigatorButtons::Insert:
        source.insert();
        break;
    case NavigatorButtons::Delete:
        source.remove();
        break;
    case NavigatorButtons::Edit:
        source.edit();
        break;
    case NavigatorButtons::Post:
        source.post();
        break;
    case NavigatorButtons::Cancel:
        source.cancel();
        break;
    case NavigatorButtons::Refresh:
        source.refresh();
        break;
    }
}

} // namespace pages
