// Record files on Windows: opened with read and write sharing, so that other
// programs may go on reading and writing them.
//
// A record is written to the end of the file (the offset that stands for
// "wherever the file ends now") while this handle holds an exclusive lock on
// one byte far past any data. The lock is what keeps records of several
// processes whole: Wine places a write to the end at the length its own
// process saw last, so two processes that append at once overwrite each
// other's records; under the lock no other writer of this system is between
// that look and the write. Real Windows needs no lock for that, but honours
// it alike. Readers are never held up: they never read that far.
//
// The folder held open for record files is its full path: Win32 opens no
// file relative to a folder handle, so the folder is resolved once, when it
// is opened, and each file is opened by that path and its name.
#include "common/RecordFile.h"

#include "common/CodePage.h"
#include "common/FileNames.h"
#include "common/FileSystem.h"
#include "common/IoError.h"
#include "common/platform/WinApi.h"

#include <algorithm>

namespace common {

namespace {

OVERLAPPED at(std::uint64_t offset)
{
    OVERLAPPED position{};
    position.Offset = static_cast<DWORD>(offset);
    position.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return position;
}

// The byte whose lock stands for "appending": at 2^63 - 2^32, beyond any
// file a disk holds, and still a valid offset for the lock calls.
constexpr std::uint64_t kLockOffset = 0x7FFFFFFF00000000ull;

// The offset at which a write goes to the file's end as it is at that moment.
constexpr std::uint64_t kEndOfFile = 0xFFFFFFFFFFFFFFFFull;

// The append lock of a file handle while it exists. Where the file system
// knows no locks the record is written without one: that happens only on
// real Windows (Wine keeps the locks itself), whose writes to the end need
// none.
class AppendLock {
  public:
    explicit AppendLock(HANDLE file) : m_file(file)
    {
        OVERLAPPED position = at(kLockOffset);
        m_locked = LockFileEx(m_file, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &position) != 0;
        if (!m_locked && GetLastError() != ERROR_INVALID_FUNCTION && GetLastError() != ERROR_NOT_SUPPORTED)
            throw win::lastError();
    }
    ~AppendLock()
    {
        OVERLAPPED position = at(kLockOffset);
        if (m_locked)
            UnlockFileEx(m_file, 0, 1, 0, &position);
    }
    AppendLock(const AppendLock&) = delete;
    AppendLock& operator=(const AppendLock&) = delete;

  private:
    HANDLE m_file;
    bool m_locked = false;
};

bool endsWithDelimiter(const std::string& path)
{
    return !path.empty() && isPathDelimiter(path, path.size() - 1, CodePage::fromLocale());
}

} // namespace

struct RecordFolder::Handle {
    // The folder's full path with a delimiter at its end; empty when none is held.
    std::string prefix;
};

RecordFolder::RecordFolder() : m_handle(std::make_unique<Handle>()) {}

RecordFolder::~RecordFolder() = default;

void RecordFolder::open(const std::string& path)
{
    m_handle->prefix.clear();
    win::checkNameLength(path);
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        throw win::lastError();
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        throw win::errorOf(ERROR_DIRECTORY);
    std::string prefix = fullPathName(path);
    if (!endsWithDelimiter(prefix))
        prefix += '\\';
    m_handle->prefix = std::move(prefix);
    m_path = path;
}

bool RecordFolder::isOpen() const
{
    return !m_handle->prefix.empty();
}

struct RecordFile::Handle {
    win::FileHandle file;
    // True once the file was seen to end on a record boundary since it was
    // opened: from then on a record is written to the end of the file.
    bool aligned = false;

    void write(std::string_view bytes, std::uint64_t offset) const
    {
        OVERLAPPED position = at(offset);
        DWORD written = 0;
        if (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, &position))
            throw win::lastError();
        // Never completed by a second write: another process's record may
        // already stand behind the part written.
        if (written != bytes.size())
            throw ioError(io::kShortWrite);
    }

    // Where the first record after an open goes: the file's end, or the
    // start of an incomplete record there (which someone else left, say on
    // a full disk), so that the file again ends on a record boundary.
    std::uint64_t firstOffset(std::size_t recordSize) const
    {
        LARGE_INTEGER size{};
        if (!GetFileSizeEx(file.get(), &size))
            throw win::lastError();
        const auto length = static_cast<std::uint64_t>(size.QuadPart);
        const std::uint64_t incomplete = length % recordSize;
        return incomplete == 0 ? kEndOfFile : length - incomplete;
    }
};

RecordFile::RecordFile(std::size_t recordSize)
    : m_handle(std::make_unique<Handle>()), m_recordSize(recordSize)
{
}

// The handle's own destructor closes it, ignoring a failure.
RecordFile::~RecordFile() = default;

void RecordFile::openExisting(const std::string& path)
{
    close();
    m_path = path;
    open(nullptr, path, false);
}

void RecordFile::openOrCreate(const std::string& path)
{
    close();
    m_path = path;
    open(nullptr, path, true);
}

void RecordFile::openOrCreate(const RecordFolder& folder, const std::string& name)
{
    if (!folder.isOpen())
        throw ioError(io::kFileNotOpen);
    close();
    m_path = folder.path();
    if (!endsWithDelimiter(m_path))
        m_path += '\\';
    m_path += name;
    open(&folder, name, true);
}

void RecordFile::open(const RecordFolder* folder, const std::string& name, bool create)
{
    // OPEN_ALWAYS opens an existing file as it is and never empties it, and
    // tells by 183 that the file was there: of processes that open a missing
    // file at once, exactly one learns that it made it.
    const std::string path = folder ? folder->m_handle->prefix + name : name;
    m_handle->file.reset(win::createFile(path, GENERIC_READ | GENERIC_WRITE,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE,
                                         create ? OPEN_ALWAYS : OPEN_EXISTING));
    m_created = create && GetLastError() != ERROR_ALREADY_EXISTS;
    m_handle->aligned = false;
}

void RecordFile::readAll(std::string& bytes)
{
    bytes.clear();
    Handle& h = *m_handle;
    if (!h.file.isOpen())
        throw ioError(io::kFileNotOpen);
    // Reads at offsets leave the file pointer alone, and appends go to the
    // end whatever it is. A length of whole records is what the first append
    // would look at: it need not ask again.
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(h.file.get(), &size))
        throw win::lastError();
    const auto length = static_cast<std::uint64_t>(size.QuadPart);
    if (length % m_recordSize == 0)
        h.aligned = true;
    bytes.resize(static_cast<std::size_t>(length));
    std::size_t have = 0;
    while (have < bytes.size()) {
        constexpr std::size_t kMostPerRead = 1u << 30;
        OVERLAPPED position = at(have);
        DWORD got = 0;
        const auto wanted = static_cast<DWORD>(std::min(bytes.size() - have, kMostPerRead));
        if (!ReadFile(h.file.get(), bytes.data() + have, wanted, &got, &position)) {
            const DWORD error = GetLastError();
            if (error == ERROR_HANDLE_EOF)
                break; // cut short by someone else meanwhile
            bytes.clear();
            throw win::errorOf(error);
        }
        if (got == 0)
            break;
        have += got;
    }
    bytes.resize(have);
}

bool RecordFile::isOpen() const
{
    return m_handle->file.isOpen();
}

void RecordFile::append(std::string_view record)
{
    Handle& h = *m_handle;
    if (!h.file.isOpen())
        throw ioError(io::kFileNotOpen);
    const AppendLock lock(h.file.get());
    if (!h.aligned) {
        h.write(record, h.firstOffset(m_recordSize));
        h.aligned = true;
        return;
    }
    h.write(record, kEndOfFile);
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
