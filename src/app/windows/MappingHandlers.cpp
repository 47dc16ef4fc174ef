// Handlers of the column mapping list ListBox1 on the page "Excel转txt".
#include "app/windows/TForm1.h"

#include "app/TextBridge.h"
#include "app/windows/TcolnameForm.h"
#include "common/LineList.h"

#include <QListWidget>

namespace app {

void TForm1::AddlineButtonClick()
{
    if (m_colnameForm)
        m_colnameForm->showModal();
}

void TForm1::DelLineButtonClick()
{
    for (int i = ListBox1->count() - 1; i >= 0; --i) {
        if (ListBox1->item(i)->isSelected())
            delete ListBox1->takeItem(i);
    }
}

void TForm1::InRelaButtonClick()
{
    const auto file = m_dialogs.openFile(QString::fromUtf8(kTextFileFilter), m_openDialog1Options);
    if (!file)
        return;
    // Read whole before the list is touched: a file that cannot be read leaves it as it was.
    const std::vector<std::string> lines = common::loadLineList(toBytes(*file));
    QStringList items;
    items.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string& line : lines)
        items << fromBytes(line);
    ListBox1->clear();
    ListBox1->addItems(items);
}

void TForm1::OutRelaButtonClick()
{
    const auto file = m_dialogs.saveFile(QString::fromUtf8(kTextFileFilter), m_saveDialog1Options);
    if (!file)
        return;
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(ListBox1->count()));
    for (int i = 0; i < ListBox1->count(); ++i)
        lines.push_back(toBytes(ListBox1->item(i)->text()));
    common::saveLineList(toBytes(*file), lines);
}

} // namespace app
