// A double click on a run button asks for one run, not two: the second press
// of a double click is dropped, so its release clicks nothing. Without this a
// run short enough to end between the two presses would run twice.
#pragma once

class QAbstractButton;

namespace app {

void takeDoubleClickAsOneClick(QAbstractButton& button);

} // namespace app
