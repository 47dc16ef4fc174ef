#include "app/Guard.h"

#include "app/Dialogs.h"
#include "app/TextBridge.h"
#include "common/Error.h"
#include "common/ErrorText.h"

namespace app {

void showError(Dialogs& dialogs, std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const common::Error& e) {
        if (e.kind() == common::Error::Kind::Abort)
            return;
        dialogs.error(fromBytes(common::errorBoxText(e.what())));
    } catch (const std::exception& e) {
        dialogs.error(fromBytes(common::errorBoxText(e.what())));
    } catch (...) {
        dialogs.error(QStringLiteral("Unknown error."));
    }
}

void guarded(Dialogs& dialogs, const std::function<void()>& body)
{
    try {
        body();
    } catch (...) {
        // The error box itself may fail (out of memory); nothing may escape into Qt.
        try {
            showError(dialogs, std::current_exception());
        } catch (...) {
        }
    }
}

} // namespace app
