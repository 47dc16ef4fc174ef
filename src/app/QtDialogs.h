// The real dialogs: Qt's file dialogs and message boxes, used by the program.
#pragma once

#include "app/Dialogs.h"

#include <QString>

#include <memory>

class QMessageBox;

namespace app {

// Turns "label|pattern|label|pattern" into Qt's "label (pattern);;label (pattern)".
QString qtFilter(const QString& filter);

// The boxes as they are shown, for tests that check captions and icons.
std::unique_ptr<QMessageBox> makeInfoBox(const QString& text);
std::unique_ptr<QMessageBox> makeErrorBox(const QString& title, const QString& text);

class QtDialogs : public Dialogs {
  public:
    // `title` is the application's title, the error box's caption.
    explicit QtDialogs(QString title);

    std::optional<QString> openFile(const QString& filter, const FileDialogOptions& options) override;
    std::optional<QStringList> openFiles(const QString& filter, const FileDialogOptions& options) override;
    std::optional<QString> saveFile(const QString& filter, const FileDialogOptions& options) override;
    std::optional<QString> browseForFolder(const QString& instruction) override;
    std::optional<QString> selectDirectory(const QString& initialPath) override;
    void info(const QString& text) override;
    void error(const QString& text) override;
    bool question(const QString& text) override;
    bool yesNo(const QString& text) override;

  private:
    QString m_title;
};

} // namespace app
