// Replacing a file's contents so that a failure never leaves it half
// written: the new bytes go to a temporary file in the same folder, are
// flushed to the disk, read back and checked, and only then take the
// file's name in one rename. The new file keeps the old one's permissions
// and, where the system allows, its owner. Replacing through a symbolic
// link replaces the file it points to and keeps the link.
//
// A process killed during a replace leaves no temporary that piles up: the
// temporary has no name while it is written where the system can make such
// a file, and each replace removes the temporaries of its target that
// earlier, killed replaces left behind.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace common {

// Where and why a replace failed.
struct ReplaceFailure {
    enum class Step {
        Target,    // the file may not be replaced: a folder, or one the user may not write
        Temporary, // no temporary file can be made in its folder
        Write,     // writing, flushing or reading back the temporary failed
        Check,     // what was read back is not what was written, or the caller's check refused it
        Rename,    // the temporary could not take the file's place
    };
    Step step = Step::Target;
    int code = 0;     // the I/O error code (IoError.h); 0 for Check
    std::string text; // the system's words for the failure; for Check, the check's
};

struct ReplaceOptions {
    // Looks at the temporary's bytes as read back from the disk; a text
    // refuses them. It may throw common::Error, which goes on to the caller
    // once the temporary is removed.
    std::function<std::optional<std::string>(std::string_view written)> check;
    // Where the folder takes no new file but the file itself may be
    // written, write the file in place instead of failing at
    // Step::Temporary. The space is reserved first: a full disk or a size
    // limit fails at Step::Write with the old file as it was. Only an I/O
    // error or a kill during the write itself can leave it part old, part new.
    bool overwriteWhenFolderIsClosed = false;
};

// What replaceFile's first step finds: nothing when the file at `path` may
// be replaced (or, missing, created), else the Step::Target failure.
std::optional<ReplaceFailure> checkReplaceable(const std::string& path);

// Held by a write-back while it reads a file, writes its new contents and
// replaces it, so that two write-backs of this system (in any processes)
// never work on one file at once: the second waits, and then finds the
// file changed by the first. While it is held, no write-back of this system
// replaces the file, so its stamp (FileStamp.h) taken after the holder's
// replace is that of the holder's file. Programs that do not take it are
// not held off.
//
// On POSIX the lock is the folder's (flock): a replace gives the file a new
// identity, and a lock on the old file would not stop another write-back
// from opening the new one and replacing it before this one has taken its
// stamp. All write-backs into one folder therefore take turns. Where the
// folder cannot be locked (not readable), the file itself is. Windows locks
// no byte range of a folder: there it is a mutex of the user's session named
// after the folder's identity, released by the thread that took it.
class ReplaceLock {
  public:
    // Waits for the lock of the file at `path`, at most `timeoutMilliseconds`.
    explicit ReplaceLock(const std::string& path, int timeoutMilliseconds = 10000);
    ~ReplaceLock();
    ReplaceLock(const ReplaceLock&) = delete;
    ReplaceLock& operator=(const ReplaceLock&) = delete;

    // False when the lock was not had in time, or the file (or its folder)
    // cannot be opened to be locked.
    bool held() const;

  private:
    struct Held;
    std::unique_ptr<Held> m_held;
};

// Replaces the file at `path` with `bytes`, or creates it. Nothing when it
// is done; otherwise the failure, and the file and its folder are as they
// were (no temporary file is left behind).
std::optional<ReplaceFailure> replaceFile(const std::string& path, std::string_view bytes,
                                          const ReplaceOptions& options = {});

namespace detail {

// What every system does alike in replaceFile.

// The check of the temporary's bytes as read back from the disk: nothing
// when they are `bytes` and the caller's check takes them.
std::optional<ReplaceFailure> checkReadBack(std::string_view back, std::string_view bytes,
                                            const ReplaceOptions& options);
// The same after reading the closed temporary back by its name.
std::optional<ReplaceFailure> readBackAndCheck(const std::string& temporary, std::string_view bytes,
                                               const ReplaceOptions& options);

// The name of a named temporary of the file named `targetName` (its name in
// its folder): a hash of that name, so that a long name still leaves room
// for the rest, the writer's process id and a counter, as in
// ".tarnvale-1a2b3c4d-4711-0.tmp".
std::string temporaryName(std::string_view targetName, unsigned long processId, unsigned counter);
// The writer's process id when `entryName` is the name of a temporary of
// the file named `targetName`; nothing for every other name.
std::optional<unsigned long> temporaryWriter(std::string_view entryName, std::string_view targetName);

} // namespace detail

} // namespace common
