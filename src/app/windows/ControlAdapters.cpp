#include "app/windows/ControlAdapters.h"

#include "app/TextBridge.h"
#include "app/windows/AutoSizeLabel.h"
#include "app/windows/DateMaskEdit.h"
#include "app/windows/RadioGroup.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QStringList>

namespace app {

std::string LineEditControl::text() const
{
    return toBytes(m_edit.text());
}

void LineEditControl::setText(const std::string& text)
{
    m_edit.setText(fromBytes(text));
}

std::string DateMaskControl::text() const
{
    return m_edit.mask().text();
}

void DateMaskControl::setText(const std::string& text)
{
    m_edit.setMaskedText(fromBytes(text));
}

void LabelControl::setCaption(const std::string& text)
{
    m_label.setCaption(fromBytes(text));
}

void LabelControl::holdPainting(bool hold)
{
    m_label.setUpdatesEnabled(!hold);
}

void ComboBoxControl::setItems(const std::vector<std::string>& items)
{
    // One batch: no repaint and no change signal per item.
    const QSignalBlocker blocker(m_combo);
    m_combo.setUpdatesEnabled(false);
    m_combo.clear();
    for (const std::string& item : items)
        m_combo.addItem(fromBytes(item));
    m_combo.setCurrentIndex(-1);
    m_combo.setUpdatesEnabled(true);
}

std::optional<std::size_t> ComboBoxControl::selectedIndex() const
{
    const int index = m_combo.currentIndex();
    if (index < 0)
        return std::nullopt;
    return static_cast<std::size_t>(index);
}

std::string ComboBoxControl::text() const
{
    return toBytes(m_combo.currentText());
}

std::size_t ListWidgetControl::count() const
{
    return static_cast<std::size_t>(m_list.count());
}

std::string ListWidgetControl::item(std::size_t index) const
{
    return toBytes(m_list.item(static_cast<int>(index))->text());
}

bool ListWidgetControl::isSelected(std::size_t index) const
{
    return m_list.item(static_cast<int>(index))->isSelected();
}

void ListWidgetControl::append(const std::vector<std::string>& items)
{
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(items.size()));
    for (const std::string& item : items)
        texts << fromBytes(item);
    m_list.addItems(texts);
}

void ListWidgetControl::remove(std::size_t index)
{
    delete m_list.takeItem(static_cast<int>(index));
}

void ListWidgetControl::clear()
{
    m_list.clear();
}

int RadioButtonsControl::itemIndex() const
{
    return m_group.itemIndex();
}

} // namespace app
