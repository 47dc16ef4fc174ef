// The one wrapper every handler runs through: an error ends the handler and is
// shown in the default error box, and the application goes on.
#pragma once

#include <exception>
#include <functional>

namespace pages {

class Dialogs;

// Shows what `error` holds: a common::Error's message (nothing for an abort),
// any other std::exception's what(), with the full-stop rule applied.
void showError(Dialogs& dialogs, std::exception_ptr error);

// Runs `body`; never lets an exception out. True when `body` ended normally.
bool guarded(Dialogs& dialogs, const std::function<void()>& body);

} // namespace pages
