// Dialogs for a program that runs with nobody to answer (the screenshot
// program, the benchmarks): the file-open dialog answers the file it was
// given, every other dialog is cancelled, every question answered No, and
// every message and question is kept and printed to the standard error.
#pragma once

#include "pages/Dialogs.h"

#include <string>
#include <vector>

namespace pages {

class UnattendedDialogs : public Dialogs {
  public:
    // `fileToOpen`: openFile's answer; empty: Cancel.
    explicit UnattendedDialogs(std::string fileToOpen = {}) : m_fileToOpen(std::move(fileToOpen)) {}

    // Every message, error and question, in order.
    const std::vector<std::string>& messages() const { return m_messages; }

    std::optional<std::string> openFile(const std::string& filter, const FileDialogOptions& options) override;
    std::optional<std::vector<std::string>> openFiles(const std::string& filter,
                                                      const FileDialogOptions& options) override;
    std::optional<std::string> saveFile(const std::string& filter, const FileDialogOptions& options) override;
    std::optional<std::string> browseForFolder(const std::string& instruction) override;
    std::optional<std::string> selectDirectory(const std::string& initialPath) override;
    void info(const std::string& text) override;
    void error(const std::string& text) override;
    bool question(const std::string& text) override;
    bool yesNo(const std::string& text) override;

  private:
    std::string m_fileToOpen;
    std::vector<std::string> m_messages;
};

} // namespace pages
