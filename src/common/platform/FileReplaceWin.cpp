// Replacing a file through a temporary on Windows: MoveFileEx puts the
// temporary in the file's place in one step.
#include "common/FileReplace.h"

#include "common/CodePage.h"
#include "common/FileNames.h"
#include "common/IoError.h"
#include "common/platform/WinApi.h"

#include <atomic>

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

// A new file in the folder of `target`, named so that no two replaces
// collide (and short, so that a long target name still leaves room for it).
HANDLE createTemporary(const std::string& target, std::string& temporary)
{
    static std::atomic<unsigned> counter{0};
    const std::string folder = folderPart(target, CodePage::fromLocale());
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = folder + ".tarnvale-" + std::to_string(GetCurrentProcessId()) + "-" +
                    std::to_string(counter++) + ".tmp";
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

// The last resort where the folder takes no new file: the file written in
// place, as a plain save would.
std::optional<ReplaceFailure> overwriteInPlace(const std::string& target, std::string_view bytes)
{
    win::FileHandle file(CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.isOpen())
        return failure(Step::Target, GetLastError());
    const bool written = writeAll(file.get(), bytes);
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

} // namespace

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
    std::string name;
    const HANDLE handle = createTemporary(path, name);
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
