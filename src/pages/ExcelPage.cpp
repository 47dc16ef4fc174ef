#include "pages/ExcelPage.h"

#include "pages/Guard.h"

namespace pages {

ExcelPage::ExcelPage(ExcelPageView& view, SharedPageState shared)
    : ADOConnection1(shared.context.codePage, shared.context.settings, shared.context.currentYear),
      ADOQuery1(ADOConnection1), DataSource1(ADOQuery1), m_view(view), m_shared(shared)
{
    // The grid's and navigator's operations end in the error box as a
    // handler's do.
    DataSource1.setGuard(
        [this](const std::function<void()>& action) { return guarded(m_shared.dialogs, action); });
    DataSource1.setConfirmDelete([this] { return m_shared.dialogs.question(kDeleteRecordQuestion); });
}

} // namespace pages
