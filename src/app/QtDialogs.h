// The real dialogs: Qt's file dialogs and message boxes, used by the program.
// The page layer's texts (bytes in the system code page) become QString here.
#pragma once

#include "pages/Dialogs.h"

#include <QString>

#include <memory>

class QMessageBox;

namespace app {

// Turns "label|pattern|label|pattern" into Qt's "label (pattern);;label (pattern)".
QString qtFilter(const QString& filter);

// The boxes as they are shown, for tests that check captions and icons.
std::unique_ptr<QMessageBox> makeInfoBox(const QString& text);
std::unique_ptr<QMessageBox> makeErrorBox(const QString& title, const QString& text);

class QtDialogs : public pages::Dialogs {
  public:
    // `title` is the application's title, the error box's caption.
    explicit QtDialogs(QString title);

    std::optional<std::string> openFile(const std::string& filter,
                                        const pages::FileDialogOptions& options) override;
    std::optional<std::vector<std::string>> openFiles(const std::string& filter,
                                                      const pages::FileDialogOptions& options) override;
    std::optional<std::string> saveFile(const std::string& filter,
                                        const pages::FileDialogOptions& options) override;
    std::optional<std::string> browseForFolder(const std::string& instruction) override;
    std::optional<std::string> selectDirectory(const std::string& initialPath) override;
    void info(const std::string& text) override;
    void error(const std::string& text) override;
    bool question(const std::string& text) override;
    bool yesNo(const std::string& text) override;

  private:
    QString m_title;
};

} // namespace app
