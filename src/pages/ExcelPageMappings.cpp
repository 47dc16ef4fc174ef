// The column mapping list ListBox1 on the page "Excel转txt".
#include "pages/ExcelPage.h"

#include "common/LineList.h"
#include "pages/ExcelPageView.h"
#include "pages/MappingDialogView.h"

namespace pages {

void ExcelPage::AddlineButtonClick()
{
    // The dialog's "确定" appends the line (pages/MappingDialog.h).
    if (m_colnameForm)
        m_colnameForm->showModal();
}

void ExcelPage::DelLineButtonClick()
{
    m_view.ListBox1().removeSelected();
}

void ExcelPage::InRelaButtonClick()
{
    const auto file = m_shared.dialogs.openFile(m_shared.context.codePageText(kTextFileFilter),
                                                m_shared.openDialog1Options);
    if (!file)
        return;
    // Read whole before the list is touched: a file that cannot be read
    // leaves it as it was.
    const std::vector<std::string> lines = common::loadLineList(*file);
    ListControl& list = m_view.ListBox1();
    list.clear();
    list.append(lines);
}

void ExcelPage::OutRelaButtonClick()
{
    const auto file =
        m_shared.dialogs.saveFile(m_shared.context.codePageText(kTextFileFilter), m_saveDialog1Options);
    if (!file)
        return;
    common::saveLineList(*file, m_view.ListBox1().items());
}

} // namespace pages
