// The application object: its title, the start-up error box text, and the
// last line of defence against an exception escaping into Qt's event loop.
#pragma once

#include <QApplication>
#include <QString>

#include <string>

namespace pages {
class Dialogs;
}

namespace app {

// The title from the executable's path: the name without its folder, cut at
// its first ".", the first character in upper case and every later one in
// lower case ("/usr/bin/tarnvale" -> "Tarnvale", "TARNVALE.EXE" -> "Tarnvale").
// POSIX executables are named in lower case, so the first character is raised
// for the task-bar entry and the error box caption to read as the product name.
QString applicationTitle(const QString& executablePath);

// The start-up error box text: "Exception %s in module %s at %p." CR LF, the
// message with the full-stop rule, CR LF.
QString startupErrorText(const QString& kind, const QString& module, const void* address,
                         const QString& message);

class Application : public QApplication {
  public:
    Application(int& argc, char** argv);

    const QString& title() const { return m_title; }
    // Where the backstop shows what escaped a handler; none: it is dropped.
    void setDialogs(pages::Dialogs* dialogs) { m_dialogs = dialogs; }

    bool notify(QObject* receiver, QEvent* event) override;

  private:
    QString m_title;
    pages::Dialogs* m_dialogs = nullptr;
};

} // namespace app
