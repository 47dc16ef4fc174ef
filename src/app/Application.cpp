#include "app/Application.h"

#include "app/AppIcon.h"
#include "app/PlatformTranslations.h"
#include "pages/Guard.h"

#include <QFileInfo>

#include <cstdio>

namespace app {

QString applicationTitle(const QString& executablePath)
{
    QString name = QFileInfo(executablePath).fileName();
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    if (dot >= 0)
        name.truncate(dot);
    if (name.isEmpty())
        return name;
    return name.left(1).toUpper() + name.mid(1).toLower();
}

QString startupErrorText(const QString& kind, const QString& module, const void* address,
                         const QString& message)
{
    char addressText[32];
    std::snprintf(addressText, sizeof addressText, "%p", address);
    QString text = QStringLiteral("Exception %1 in module %2 at %3.\r\n")
                       .arg(kind, module, QString::fromLatin1(addressText));
    text += message;
    if (!message.endsWith(QLatin1Char('.')))
        text += QLatin1Char('.');
    return text + QStringLiteral("\r\n");
}

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    m_title = applicationTitle(QApplication::applicationFilePath());
    // Not the display name: Qt would append it to every window caption.
    setApplicationName(m_title);
    setWindowIcon(applicationIcon());
    installPlatformTranslations();
    // Only the main window's close ends the program, never the dialog's.
    setQuitOnLastWindowClosed(false);
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        if (m_dialogs) {
            try {
                pages::showError(*m_dialogs, std::current_exception());
            } catch (...) {
            }
        }
        return false;
    }
}

} // namespace app
