#include "pages/UnattendedDialogs.h"

#include <cstdio>

namespace pages {

std::optional<std::string> UnattendedDialogs::openFile(const std::string&, const FileDialogOptions&)
{
    if (m_fileToOpen.empty())
        return std::nullopt;
    return m_fileToOpen;
}

std::optional<std::vector<std::string>> UnattendedDialogs::openFiles(const std::string&,
                                                                     const FileDialogOptions&)
{
    return std::nullopt;
}

std::optional<std::string> UnattendedDialogs::saveFile(const std::string&, const FileDialogOptions&)
{
    return std::nullopt;
}

std::optional<std::string> UnattendedDialogs::browseForFolder(const std::string&)
{
    return std::nullopt;
}

std::optional<std::string> UnattendedDialogs::selectDirectory(const std::string&)
{
    return std::nullopt;
}

void UnattendedDialogs::info(const std::string& text)
{
    // The bytes as they are: the terminal shows them in the same code page.
    std::fprintf(stderr, "%s\n", text.c_str());
    m_messages.push_back(text);
}

void UnattendedDialogs::error(const std::string& text)
{
    info(text);
}

bool UnattendedDialogs::question(const std::string& text)
{
    info(text);
    return false;
}

bool UnattendedDialogs::yesNo(const std::string& text)
{
    info(text);
    return false;
}

} // namespace pages
