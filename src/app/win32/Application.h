// The application's own texts: its title, taken from the executable's name,
// and the start-up error box that reports a failure before the event loop
// runs.
#pragma once

#include <string>

namespace win32 {

// The executable's name without its folder, cut at its first ".", every
// character after the first in lower case; the first stays as it is
// ("C:\\x\\TARNVALE.EXE" -> "Tarnvale", "tarnvale.exe" -> "tarnvale").
std::string applicationTitle(const std::string& executablePath);

// The title of the running program.
std::string applicationTitle();

// "Exception %s in module %s at %p." CR LF, the message with a "." unless it
// ends in one, CR LF.
std::string startupErrorText(const std::string& kind, const std::string& module, const void* address,
                             const std::string& message);

// Shows the start-up error box: task-modal, caption "Application Error", the
// error icon.
void showStartupError(const std::string& kind, const std::string& message);

} // namespace win32
