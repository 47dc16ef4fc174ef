// The toolkit's own texts (standard buttons such as OK and Cancel, the file
// and folder dialogs) in the user's language, as the platform's own dialogs
// speak it on a Chinese Windows. The system's own texts are not translated.
#pragma once

#include <QLocale>

class QTranslator;

namespace app {

// Installs Qt's translations for `locale` (qtbase_<language>.qm from Qt's
// translations folder) into the application. Returns the installed
// translator, owned by the application, or nullptr when there is none for
// the locale (an English or "C" locale, or the translations not installed).
QTranslator* installPlatformTranslations(const QLocale& locale = QLocale::system());

} // namespace app
