// Replacing a file through a temporary on Windows: MoveFileEx puts the
// temporary in the file's place in one step.
//
// Windows has no unnamed files (POSIX's O_TMPFILE): the temporary is always
// named, as on a POSIX file system without them, after a hash of its
// target's name and the writer's process id, and each replace removes the
// temporaries of its target whose writer no longer runs.
#include "common/FileReplace.h"

#include "common/CodePage.h"
#include "common/FileNames.h"
#include "common/IoError.h"
#include "common/platform/WinApi.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <set>

namespace common {

namespace {

using Step = ReplaceFailure::Step;

ReplaceFailure failure(Step step, DWORD code)
{
    return {step, static_cast<int>(code), win::systemErrorText(code)};
}

// The state of the file before the replace.
struct Existing {
    bool exists = false;
    DWORD attributes = 0;
};

std::optional<ReplaceFailure> targetFailure(const std::string& target, Existing& existing)
{
    if (target.size() >= MAX_PATH)
        return failure(Step::Target, ERROR_FILENAME_EXCED_RANGE);
    const DWORD attributes = GetFileAttributesA(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return std::nullopt; // a new file: the folder decides at the next step
    // A file that could not be opened for writing in place must not be
    // replaced by the rename either: a folder, a read-only file, one the
    // user may not write or one another program holds without write sharing.
    if ((attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0)
        return failure(Step::Target, ERROR_ACCESS_DENIED);
    win::FileHandle probe(CreateFileA(target.c_str(), GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!probe.isOpen())
        return failure(Step::Target, GetLastError());
    existing.exists = true;
    existing.attributes = attributes;
    return std::nullopt;
}

bool writeAll(HANDLE file, std::string_view bytes)
{
    while (!bytes.empty()) {
        constexpr std::size_t kLargestWrite = 1u << 30;
        const auto chunk = static_cast<DWORD>(bytes.size() < kLargestWrite ? bytes.size() : kLargestWrite);
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr))
            return false;
        if (written == 0) {
            SetLastError(ERROR_HANDLE_DISK_FULL);
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

bool processIsGone(unsigned long processId)
{
    const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(processId));
    if (!process) // no such process; one of another user gives 5 instead
        return GetLastError() == ERROR_INVALID_PARAMETER;
    // A process that has ended but whose handle someone still holds.
    const bool ended = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
}

// Removes the temporaries of `target` that earlier replaces left behind
// when they were killed: those whose writer no longer runs. A writer that
// still runs may be in the middle of its replace.
void removeStaleTemporaries(const std::string& folder, const std::string& targetName)
{
    const std::string pattern = folder + ".tarnvale-*.tmp";
    if (pattern.size() >= MAX_PATH)
        return;
    WIN32_FIND_DATAA found{};
    const HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::optional<unsigned long> writer = detail::temporaryWriter(found.cFileName, targetName);
        if (writer && *writer != GetCurrentProcessId() && processIsGone(*writer))
            DeleteFileA((folder + found.cFileName).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

// A new file in `folder`, named so that no two replaces collide.
HANDLE createTemporary(const std::string& folder, const std::string& targetName, std::string& temporary)
{
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = folder + detail::temporaryName(targetName, GetCurrentProcessId(), counter++);
        if (temporary.size() >= MAX_PATH) {
            SetLastError(ERROR_FILENAME_EXCED_RANGE);
            return INVALID_HANDLE_VALUE;
        }
        const HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE ||
            (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS))
            return file;
    }
    return INVALID_HANDLE_VALUE;
}

bool setLength(HANDLE file, std::uint64_t length)
{
    LARGE_INTEGER position{};
    position.QuadPart = static_cast<LONGLONG>(length);
    return SetFilePointerEx(file, position, nullptr, FILE_BEGIN) && SetEndOfFile(file);
}

// The last resort where the folder takes no new file: the file written in
// place. A file that grows is made long enough first, so that a full disk
// is met before the old bytes are touched (and the file is cut back to its
// old length); it is cut to the new length after the write. What remains:
// a kill or an I/O error while the bytes are written leaves the file part
// old, part new.
std::optional<ReplaceFailure> overwriteInPlace(const std::string& target, std::string_view bytes)
{
    win::FileHandle file(CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.isOpen())
        return failure(Step::Target, GetLastError());
    LARGE_INTEGER oldSize{};
    bool written = GetFileSizeEx(file.get(), &oldSize) != 0;
    const auto oldLength = static_cast<std::uint64_t>(oldSize.QuadPart);
    if (written && bytes.size() > oldLength && !setLength(file.get(), bytes.size())) {
        const DWORD reserveError = GetLastError();
        setLength(file.get(), oldLength);
        return failure(Step::Write, reserveError);
    }
    LARGE_INTEGER start{};
    written = written && SetFilePointerEx(file.get(), start, nullptr, FILE_BEGIN) &&
              writeAll(file.get(), bytes) && setLength(file.get(), bytes.size()) &&
              FlushFileBuffers(file.get());
    const DWORD writeError = GetLastError();
    if (!file.reset() || !written)
        return failure(Step::Write, written ? GetLastError() : writeError);
    return std::nullopt;
}

// Removes the temporary when the replace does not get as far as the rename.
class Temporary {
  public:
    explicit Temporary(std::string path) : m_path(std::move(path)) {}
    ~Temporary()
    {
        if (!m_path.empty())
            DeleteFileA(m_path.c_str());
    }
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;
    void renamed() { m_path.clear(); }

  private:
    std::string m_path;
};

// Writes, flushes and closes the new file; the failure of the first step
// that fails.
std::optional<ReplaceFailure> fill(HANDLE handle, std::string_view bytes)
{
    win::FileHandle file(handle);
    const bool written = writeAll(file.get(), bytes) && FlushFileBuffers(file.get());
    const DWORD writeError = GetLastError();
    if (!file.reset() || !written)
        return failure(Step::Write, written ? GetLastError() : writeError);
    return std::nullopt;
}

// The replace locks this process holds, by name. A system mutex taken again
// by the thread that holds it is simply had once more; a second lock of one
// folder within a process must wait as one in another process does.
struct HeldNames {
    std::mutex mutex;
    std::condition_variable released;
    std::set<std::string> names;
};

HeldNames& heldNames()
{
    static HeldNames held;
    return held;
}

// The name of the lock of the folder (else the file) at `path`: the
// entry's volume and number there, the same however the path is spelled.
std::optional<std::string> lockName(const std::string& path)
{
    const CodePage codePage = CodePage::fromLocale();
    std::string folder = folderPart(path, codePage);
    if (folder.empty())
        folder = ".";
    std::optional<BY_HANDLE_FILE_INFORMATION> info = win::entryInformation(folder);
    if (!info)
        info = win::entryInformation(path);
    if (!info)
        return std::nullopt;
    char name[64];
    std::snprintf(name, sizeof name, "tarnvale-replace-%08lx-%016llx", info->dwVolumeSerialNumber,
                  static_cast<unsigned long long>(win::fileIndex(*info)));
    return std::string(name);
}

} // namespace

// Windows locks no byte range of a folder, and a lock on the file would not
// outlive the replace that gives the file a new identity. The lock of the
// folder is therefore a mutex of the session named after the folder's
// identity: the system lets go of it when its holder dies, as of a POSIX
// flock. It is the thread's that took it, and only write-backs of one
// session take turns by it.
struct ReplaceLock::Held {
    std::string name;
    HANDLE mutex = nullptr;
    bool owned = false;

    ~Held()
    {
        if (owned)
            ReleaseMutex(mutex);
        if (mutex)
            CloseHandle(mutex);
        HeldNames& held = heldNames();
        {
            const std::lock_guard guard(held.mutex);
            held.names.erase(name);
        }
        held.released.notify_all();
    }
};

ReplaceLock::ReplaceLock(const std::string& path, int timeoutMilliseconds)
{
    const std::optional<std::string> name = lockName(path);
    if (!name)
        return;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMilliseconds);
    HeldNames& held = heldNames();
    {
        std::unique_lock guard(held.mutex);
        if (!held.released.wait_until(guard, deadline, [&] { return !held.names.contains(*name); }))
            return;
        held.names.insert(*name);
    }
    auto taking = std::make_unique<Held>();
    taking->name = *name;
    taking->mutex = CreateMutexA(nullptr, FALSE, name->c_str());
    if (!taking->mutex)
        return;
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now())
            .count();
    // An abandoned mutex is had too: its holder died, as with a lock the
    // system drops.
    const DWORD waited = WaitForSingleObject(taking->mutex, left > 0 ? static_cast<DWORD>(left) : 0);
    taking->owned = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    if (taking->owned)
        m_held = std::move(taking);
}

ReplaceLock::~ReplaceLock() = default;

bool ReplaceLock::held() const
{
    return m_held != nullptr;
}

std::optional<ReplaceFailure> checkReplaceable(const std::string& path)
{
    Existing existing;
    return targetFailure(path, existing);
}

std::optional<ReplaceFailure> replaceFile(const std::string& path, std::string_view bytes,
                                          const ReplaceOptions& options)
{
    Existing existing;
    if (std::optional<ReplaceFailure> refused = targetFailure(path, existing))
        return refused;
    const CodePage codePage = CodePage::fromLocale();
    const std::string folder = folderPart(path, codePage);
    const std::string targetName = namePart(path, codePage);
    removeStaleTemporaries(folder, targetName);
    std::string name;
    const HANDLE handle = createTemporary(folder, targetName, name);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD createError = GetLastError();
        if (existing.exists && createError == ERROR_ACCESS_DENIED && options.overwriteWhenFolderIsClosed)
            return overwriteInPlace(path, bytes);
        return failure(Step::Temporary, createError);
    }
    Temporary temporary(name);
    if (std::optional<ReplaceFailure> failed = fill(handle, bytes))
        return failed;
    if (std::optional<ReplaceFailure> failed = detail::readBackAndCheck(name, bytes, options))
        return failed;
    // The new file keeps the old one's attributes (hidden, system, ...).
    if (existing.exists)
        SetFileAttributesA(name.c_str(), existing.attributes);
    // The old file stays whole until this move replaces it in one step.
    if (!MoveFileExA(name.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return failure(Step::Rename, GetLastError());
    temporary.renamed();
    return std::nullopt;
}

} // namespace common
