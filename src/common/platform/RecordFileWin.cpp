// Record files on Windows: opened with read and write sharing, so that other
// programs may go on reading and writing them; a record goes out with one
// positioned WriteFile.
#include "common/RecordFile.h"

#include "common/IoError.h"
#include "common/platform/WinApi.h"

namespace common {

struct RecordFile::Handle {
    win::FileHandle file;
};

RecordFile::RecordFile() : m_handle(std::make_unique<Handle>()) {}

// The handle's own destructor closes it, ignoring a failure.
RecordFile::~RecordFile() = default;

void RecordFile::openExisting(const std::string& path)
{
    open(path, false);
}

void RecordFile::openOrCreate(const std::string& path)
{
    // OPEN_ALWAYS opens an existing file as it is and never empties it.
    open(path, true);
}

void RecordFile::open(const std::string& path, bool create)
{
    close();
    m_handle->file.reset(win::createFile(path, GENERIC_READ | GENERIC_WRITE,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE,
                                         create ? OPEN_ALWAYS : OPEN_EXISTING));
    m_path = path;
}

bool RecordFile::isOpen() const
{
    return m_handle->file.isOpen();
}

std::uint64_t RecordFile::length()
{
    if (!isOpen())
        throw ioError(io::kFileNotOpen);
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(m_handle->file.get(), &size))
        throw win::lastError();
    return static_cast<std::uint64_t>(size.QuadPart);
}

void RecordFile::writeAt(std::uint64_t offset, std::string_view bytes)
{
    if (!isOpen())
        throw ioError(io::kFileNotOpen);
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    DWORD written = 0;
    if (!WriteFile(m_handle->file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, &at))
        throw win::lastError();
    if (written != bytes.size())
        throw ioError(io::kShortWrite);
}

void RecordFile::close()
{
    if (!isOpen())
        return;
    // The handle is gone whatever CloseHandle says; a failure is still reported.
    if (!m_handle->file.reset())
        throw win::lastError();
}

} // namespace common
