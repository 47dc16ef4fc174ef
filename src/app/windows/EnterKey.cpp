#include "app/windows/EnterKey.h"

#include <QKeyEvent>
#include <QPushButton>

namespace app {

void clickFocusedButton(QWidget& window, QKeyEvent& event)
{
    event.accept();
    const auto modifiers = event.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (modifiers != Qt::NoModifier)
        return;
    auto* button = qobject_cast<QPushButton*>(window.focusWidget());
    if (button && button->hasFocus() && button->isEnabled())
        button->click();
}

} // namespace app
