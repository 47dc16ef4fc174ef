#include "app/win32/Application.h"

#include "common/CodePage.h"
#include "common/FileNames.h"

#include <windows.h>

#include <cstdio>

namespace win32 {

std::string applicationTitle(const std::string& executablePath)
{
    std::string name = common::namePart(executablePath, common::CodePage(static_cast<int>(GetACP())));
    const std::size_t dot = name.find('.');
    if (dot != std::string::npos)
        name.resize(dot);
    if (name.size() > 1) {
        // The locale's lower case, double-byte characters left whole.
        CharLowerBuffA(name.data() + 1, static_cast<DWORD>(name.size() - 1));
    }
    return name;
}

std::string applicationTitle()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return applicationTitle(path);
}

std::string startupErrorText(const std::string& kind, const std::string& module, const void* address,
                             const std::string& message)
{
    char addressText[32];
    std::snprintf(addressText, sizeof addressText, "%p", address);
    std::string text = "Exception " + kind + " in module " + module + " at " + addressText + ".\r\n";
    text += message;
    if (message.empty() || message.back() != '.')
        text += '.';
    return text + "\r\n";
}

void showStartupError(const std::string& kind, const std::string& message)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string module = common::namePart(path, common::CodePage(static_cast<int>(GetACP())));
    const std::string text =
        startupErrorText(kind, module, reinterpret_cast<const void*>(&showStartupError), message);
    MessageBoxA(nullptr, text.c_str(), "Application Error", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

} // namespace win32
