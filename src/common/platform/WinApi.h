// What the Win32 implementations share: the system's headers without their
// min/max macros, and the I/O errors of failed calls. Only the files of this
// folder include it.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "common/Error.h"

#include <cstdint>
#include <optional>
#include <string>

namespace common::win {

// The system's description of an error code, in the system's language and
// code page, without the trailing spaces, line breaks and periods that would
// clash with a message around it; empty for a code the system has no text for.
std::string systemErrorText(DWORD code);

// The I/O error of a call that failed with `code`: the code as the system
// gave it, and the system's text for it.
Error errorOf(DWORD code);
// errorOf(GetLastError()).
Error lastError();

// The ANSI functions take names of at most MAX_PATH - 1 bytes; a longer one
// is refused here with 206 ("The filename or extension is too long"), the
// same for every call, instead of whatever each call would make of it.
void checkNameLength(const std::string& path);

// CreateFileA after the length check; throws the call's error.
HANDLE createFile(const std::string& path, DWORD access, DWORD sharing, DWORD disposition);

// What the system tells of the entry at `path` (a file or a folder; a
// link's target), asking for no access, so that nothing is refused;
// nothing when it cannot be looked at.
std::optional<BY_HANDLE_FILE_INFORMATION> entryInformation(const std::string& path);
// The entry's number on its volume.
inline std::uint64_t fileIndex(const BY_HANDLE_FILE_INFORMATION& info)
{
    return (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
}

// Closes a file handle when it goes away.
class FileHandle {
  public:
    FileHandle() = default;
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    ~FileHandle() { reset(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    HANDLE get() const { return m_handle; }
    bool isOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
    // Closes the handle held before; true when that close succeeded.
    bool reset(HANDLE handle = INVALID_HANDLE_VALUE)
    {
        const bool closed = m_handle == INVALID_HANDLE_VALUE || CloseHandle(m_handle);
        m_handle = handle;
        return closed;
    }

  private:
    HANDLE m_handle = INVALID_HANDLE_VALUE;
};

} // namespace common::win
