// Files open for reading on Windows: shared with other readers only, so that
// a file another program holds open for writing is refused (32).
#include "common/FileRead.h"

#include "common/IoError.h"
#include "common/platform/WinApi.h"

#include <algorithm>

namespace common {

struct InputFile::Handle {
    win::FileHandle file;
};

InputFile::InputFile(const std::string& path) : m_handle(std::make_unique<Handle>()), m_path(path)
{
    // A folder is refused by the system itself (5).
    m_handle->file.reset(win::createFile(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING));
}

InputFile::~InputFile() = default;

std::size_t InputFile::sizeHint()
{
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(m_handle->file.get(), &size) || size.QuadPart <= 0)
        return 0;
    return static_cast<std::size_t>(size.QuadPart);
}

std::size_t InputFile::readSome(char* buffer, std::size_t size)
{
    if (!m_handle->file.isOpen())
        throw ioError(io::kFileNotOpen);
    constexpr std::size_t kLargestRead = 1u << 30; // ReadFile counts in 32 bits
    DWORD got = 0;
    if (!ReadFile(m_handle->file.get(), buffer, static_cast<DWORD>(std::min(size, kLargestRead)), &got,
                  nullptr)) {
        const DWORD error = GetLastError();
        if (error == ERROR_BROKEN_PIPE)
            return 0;
        throw win::errorOf(error);
    }
    return got;
}

void InputFile::close()
{
    m_handle->file.reset();
}

} // namespace common
