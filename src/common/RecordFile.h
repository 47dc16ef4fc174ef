// A file of fixed-size records, open for reading and writing: opened as it
// is or created, never emptied, written at chosen offsets. Failures throw
// the I/O error of the failing call (IoError.h).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace common {

class RecordFile {
  public:
    RecordFile();
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

    bool isOpen() const;
    // The file's length in bytes, as it is now (another program may have
    // written to it). Throws 103 when no file is open.
    std::uint64_t length();
    // Writes `bytes` at `offset` in one call; fewer bytes written than
    // given throws 101 ("Disk full"). Throws 103 when no file is open.
    void writeAt(std::uint64_t offset, std::string_view bytes);
    // Closes the file and reports a failing close (a delayed write error of
    // a network file system); nothing happens when none is open.
    void close();

  private:
    struct Handle;
    void open(const std::string& path, bool create);

    std::unique_ptr<Handle> m_handle;
    std::string m_path;
};

} // namespace common
