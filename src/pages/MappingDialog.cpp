#include "pages/MappingDialog.h"

#include "convert/ColumnMapping.h"
#include "pages/MappingDialogView.h"

namespace pages {

void MappingDialog::ComboBox1Change()
{
    m_view.LabeledEdit1().setText(m_view.ComboBox1().text());
}

void MappingDialog::Button1Click()
{
    m_mappingList.append(
        {convert::formatColumnMapping(m_view.ComboBox1().text(), m_view.LabeledEdit1().text())});
    m_view.close();
}

} // namespace pages
