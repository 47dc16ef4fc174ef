// I/O errors on Windows: the codes are the system's own, and so are the texts.
#include "common/IoError.h"

#include "common/platform/WinApi.h"

namespace common {

std::string invalidNameText()
{
    return win::systemErrorText(ERROR_INVALID_NAME);
}

void throwLastIoError(const std::string&)
{
    throw win::lastError();
}

namespace win {

std::string systemErrorText(DWORD code)
{
    char* buffer = nullptr;
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, reinterpret_cast<LPSTR>(&buffer), 0, nullptr);
    std::string text(buffer ? buffer : "", buffer ? length : 0);
    if (buffer)
        LocalFree(buffer);
    // Only ASCII is trimmed: a double-byte full stop is part of the text.
    while (!text.empty() &&
           (text.back() == ' ' || text.back() == '\r' || text.back() == '\n' || text.back() == '.'))
        text.pop_back();
    return text;
}

Error errorOf(DWORD code)
{
    return ioError(static_cast<int>(code), systemErrorText(code));
}

Error lastError()
{
    return errorOf(GetLastError());
}

void checkNameLength(const std::string& path)
{
    if (path.size() >= MAX_PATH)
        throw errorOf(ERROR_FILENAME_EXCED_RANGE);
}

HANDLE createFile(const std::string& path, DWORD access, DWORD sharing, DWORD disposition)
{
    checkNameLength(path);
    const HANDLE handle =
        CreateFileA(path.c_str(), access, sharing, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        throw lastError();
    return handle;
}

} // namespace win

} // namespace common
