// Takes input away from a set of controls for the length of a scope, such as
// a run that lets window events through: each control is disabled (so it
// looks and acts disabled, while the window still repaints) and gets back
// exactly the enabled state it had, also when an error ends the scope. The
// focus that the disabling moved elsewhere comes back too.
#pragma once

#include <QPointer>
#include <QWidget>

#include <initializer_list>
#include <vector>

namespace app {

class BlockedControls {
  public:
    explicit BlockedControls(std::initializer_list<QWidget*> controls);
    ~BlockedControls();
    BlockedControls(const BlockedControls&) = delete;
    BlockedControls& operator=(const BlockedControls&) = delete;

  private:
    struct Blocked {
        QPointer<QWidget> control;
        bool wasEnabled; // its own state, not its parent's
    };
    std::vector<Blocked> m_blocked;
    QPointer<QWidget> m_focusBefore;
    QPointer<QWidget> m_focusAfter;
};

} // namespace app
