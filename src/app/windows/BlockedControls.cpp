#include "app/windows/BlockedControls.h"

#include <QApplication>

namespace app {

BlockedControls::BlockedControls(std::initializer_list<QWidget*> controls)
{
    m_focusBefore = QApplication::focusWidget();
    m_blocked.reserve(controls.size());
    for (QWidget* control : controls) {
        m_blocked.push_back({control, !control->testAttribute(Qt::WA_ForceDisabled)});
        control->setEnabled(false);
    }
    m_focusAfter = QApplication::focusWidget();
}

BlockedControls::~BlockedControls()
{
    for (auto it = m_blocked.rbegin(); it != m_blocked.rend(); ++it) {
        if (it->control)
            it->control->setEnabled(it->wasEnabled);
    }
    // Disabling the focused control passed the focus on; it comes back unless
    // the user has put it somewhere else since.
    if (m_focusBefore && m_focusBefore != m_focusAfter && QApplication::focusWidget() == m_focusAfter &&
        m_focusBefore->isEnabled() && m_focusBefore->isVisible())
        m_focusBefore->setFocus(Qt::OtherFocusReason);
}

} // namespace app
