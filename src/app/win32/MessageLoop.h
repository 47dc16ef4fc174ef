// The event loop of the windows and the keyboard rules that neither window
// leaves to the dialog manager: Tab follows each window's layout tab order,
// Enter clicks a button only while that button has the focus (there is no
// default button), and Escape clicks nothing.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

namespace win32 {

class KeyboardRules {
  public:
    // `topLevel`'s controls in tab order (depth first, as laid out). The
    // rules are registered for `topLevel` until the object goes.
    KeyboardRules(HWND topLevel, std::vector<HWND> tabOrder);
    ~KeyboardRules();
    KeyboardRules(const KeyboardRules&) = delete;
    KeyboardRules& operator=(const KeyboardRules&) = delete;

    // What Enter does in `control` (an edit) besides nothing.
    void onEnter(HWND control, std::function<void()> action);
    // Moves the focus to the next (or previous) control that can take it.
    void moveFocus(bool forward);
    // True when the message was handled and must not be dispatched.
    bool handle(const MSG& message);

  private:
    bool canTakeFocus(HWND control) const;

    HWND m_topLevel;
    std::vector<HWND> m_tabOrder;
    std::vector<std::pair<HWND, std::function<void()>>> m_enterActions;
};

// Translates and dispatches one message, after the keyboard rules of the
// window it is for.
void dispatchMessage(MSG& message);

// Runs until the quit request; returns its exit code.
int runMessageLoop();

// Handles the messages that are waiting, then returns. A quit request seen
// here is posted again, so that the loop that is to end on it still sees it;
// the result is then false.
bool processPendingMessages();

// Runs a nested loop while `running` holds. A quit request ends it too (it
// is posted again for the outer loop); the result is then false.
bool runNestedLoop(const std::function<bool()>& running);

} // namespace win32
