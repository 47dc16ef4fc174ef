// The dialogs of the Win32 windows: message boxes through MessageBoxA, the
// common file dialogs, and the shell's folder browser (also as the save
// folder's chooser, with an editable path and folder creation).
#pragma once

#include "pages/Dialogs.h"

#include <windows.h>

#include <string>

namespace win32 {

class Win32Dialogs : public pages::Dialogs {
  public:
    // `title`: the application's title, the error box's caption.
    explicit Win32Dialogs(std::string title) : m_title(std::move(title)) {}

    const std::string& title() const { return m_title; }

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
    std::string m_title;
};

// The message box convention: the other windows of the application are
// disabled while the box is up, then the active window and the focus come
// back. Returns MessageBoxA's result.
int showMessageBox(const std::string& text, const std::string& caption, UINT style);

} // namespace win32
