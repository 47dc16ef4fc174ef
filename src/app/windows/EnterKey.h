// Enter presses a button only while that button has the focus; no window has
// a default button.
#pragma once

class QKeyEvent;
class QWidget;

namespace app {

// For an Enter key without Shift, Ctrl or Alt that reached `window`: clicks
// the focused push button, if any. Always accepts the event.
void clickFocusedButton(QWidget& window, QKeyEvent& event);

} // namespace app
