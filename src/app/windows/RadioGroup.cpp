#include "app/windows/RadioGroup.h"

#include <QButtonGroup>
#include <QFocusEvent>
#include <QRadioButton>

namespace app {

namespace {
// The items share the height below the frame's top line evenly.
constexpr int kFrameTop = 6;
constexpr int kItemLeft = 5;
} // namespace

RadioGroup::RadioGroup(const QStringList& items, QWidget* parent)
    : QGroupBox(parent), m_group(new QButtonGroup(this))
{
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        m_group->addButton(button, i);
        button->installEventFilter(this);
        m_buttons.push_back(button);
    }
    placeItems();
}

int RadioGroup::itemIndex() const
{
    return m_group->checkedId();
}

void RadioGroup::setItemIndex(int index)
{
    if (QAbstractButton* button = m_group->button(index))
        button->setChecked(true);
}

bool RadioGroup::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        QAbstractButton* checked = m_group->checkedButton();
        if ((reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason) && checked &&
            checked != watched) {
            checked->setFocus(reason);
            return true;
        }
    }
    return QGroupBox::eventFilter(watched, event);
}

void RadioGroup::resizeEvent(QResizeEvent* event)
{
    QGroupBox::resizeEvent(event);
    placeItems();
}

void RadioGroup::placeItems()
{
    if (m_buttons.empty())
        return;
    const int count = static_cast<int>(m_buttons.size());
    const int itemHeight = (height() - kFrameTop - 2) / count;
    for (int i = 0; i < count; ++i)
        m_buttons[static_cast<std::size_t>(i)]->setGeometry(kItemLeft, kFrameTop + i * itemHeight,
                                                            width() - kItemLeft - 2, itemHeight);
}

} // namespace app
