#include "pages/Guard.h"

#include "common/Error.h"
#include "common/ErrorText.h"
#include "pages/Dialogs.h"

namespace pages {

void showError(Dialogs& dialogs, std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const common::Error& e) {
        if (e.kind() == common::Error::Kind::Abort)
            return;
        dialogs.error(common::errorBoxText(e.what()));
    } catch (const std::exception& e) {
        dialogs.error(common::errorBoxText(e.what()));
    } catch (...) {
        dialogs.error("Unknown error.");
    }
}

bool guarded(Dialogs& dialogs, const std::function<void()>& body)
{
    try {
        body();
        return true;
    } catch (...) {
        // The error box itself may fail (out of memory); nothing may escape
        // into the event loop.
        try {
            showError(dialogs, std::current_exception());
        } catch (...) {
        }
        return false;
    }
}

} // namespace pages
