// A file of fixed-size records that any number of processes append to at
// the same time: opened as it is or created, never emptied. Failures throw
// the I/O error of the failing call (IoError.h).
//
// What every platform's implementation guarantees:
// - Each record goes out in one write. Appends of other processes never
//   overwrite it and never interleave with it: once the file is known to end
//   on a record boundary, a record is written as an append, which lands at
//   the end of the file as the file is at that moment (POSIX O_APPEND; on
//   Windows a write to the end of the file made under the file's exclusive
//   byte-range lock, since Wine places such a write at the length its
//   process saw last).
// - The first append after an open looks at the file's length once. When it
//   is not a whole number of records (an incomplete trailing record that
//   someone else left, say on a full disk), it takes the file's exclusive
//   lock, looks again, and writes the record over that incomplete record at
//   the last record boundary, so the file again ends on one. Every later
//   append is one write and nothing more.
// - An incomplete record that another writer leaves while this one holds the
//   file open is not seen before the next open: records appended meanwhile
//   follow it. Only a short write leaves one (a disk or quota that fills up,
//   a file-size limit), and the writer then stops with an error.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace common {

// A folder that record files are opened in, held open for as long as
// files are opened in it: a file opened by its name in the folder spares
// the system the walk along the folder's path, which on a run of files of
// one record each costs as much as the record's write.
class RecordFolder {
  public:
    RecordFolder();
    ~RecordFolder();
    RecordFolder(const RecordFolder&) = delete;
    RecordFolder& operator=(const RecordFolder&) = delete;

    // Holds the folder at `path` (a relative one resolved now), letting go of
    // the one held before. Throws the I/O error of a folder that cannot be held.
    void open(const std::string& path);
    bool isOpen() const;
    // The path it was opened with, for messages.
    const std::string& path() const { return m_path; }

  private:
    friend class RecordFile;
    struct Handle;
    std::unique_ptr<Handle> m_handle;
    std::string m_path;
};

class RecordFile {
  public:
    explicit RecordFile(std::size_t recordSize);
    // Closes a file still open, ignoring a failure of that close (an error
    // already on its way must not be replaced).
    ~RecordFile();
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    // Opens an existing file; never creates it, never truncates it. Closes
    // the file held before.
    void openExisting(const std::string& path);
    // Opens the file, creating it (read and write for everyone the user's
    // defaults allow) when it is missing; an existing file is opened as it
    // is and never emptied. A folder at the path fails with code 5.
    void openOrCreate(const std::string& path);
    // The same for the file `name` (no path delimiter in it) in `folder`.
    void openOrCreate(const RecordFolder& folder, const std::string& name);

    bool isOpen() const;
    // True when the last open made the file (it was not there before).
    bool created() const { return m_created; }
    // Every byte of the open file, from its start, into `bytes` (whose
    // capacity is kept for the next file). The length it finds serves as the
    // first append's look at it. Throws the I/O error of a failing read,
    // and 103 when no file is open.
    void readAll(std::string& bytes);
    // The path of the file opened last, as given (a folder's path and the name).
    const std::string& path() const { return m_path; }
    // Appends one record (`record` holds exactly the record size) as the
    // header describes. Fewer bytes written than given throws 101 ("Disk
    // full"). Throws 103 when no file is open.
    void append(std::string_view record);
    // Closes the file and reports a failing close (a delayed write error of
    // a network file system); nothing happens when none is open.
    void close();

  private:
    struct Handle;
    // Opens `name` in `folder` (none: `name` is a path of its own); m_path is set.
    void open(const RecordFolder* folder, const std::string& name, bool create);

    std::unique_ptr<Handle> m_handle;
    std::string m_path;
    std::size_t m_recordSize;
    bool m_created = false;
};

} // namespace common
