// Reading a whole file at once (workbooks, line lists, record files).
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace common {

// A file's bytes. The buffer is not cleared before the read fills it, so a
// large workbook costs one pass over its bytes, not two.
class FileBytes {
  public:
    FileBytes() = default;
    FileBytes(std::unique_ptr<char[]> data, std::size_t size) : m_data(std::move(data)), m_size(size) {}

    std::string_view view() const { return {m_data.get(), m_size}; }
    std::size_t size() const { return m_size; }

  private:
    std::unique_ptr<char[]> m_data;
    std::size_t m_size = 0;
};

// A file open for reading, with read sharing. Failures throw the I/O error
// of the failing call with the system's text (IoError.h).
class InputFile {
  public:
    // Throws 2 or 3 for a missing file or a missing folder on the way, 5
    // when access is refused, and 5 for a folder (Windows refuses to open
    // one; the system's text then says it is a folder).
    explicit InputFile(const std::string& path);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Every byte from the current position to the end of the file (a file
    // that grows meanwhile, or whose size the system does not know, such as
    // a pipe, is read to its end too).
    FileBytes readAll();
    // Up to `size` bytes from the current position; 0 at the end of the file
    // (a broken pipe counts as the end). Throws 103 once the file is closed.
    std::size_t readSome(char* buffer, std::size_t size);
    // Closes the file; nothing happens when it is closed already.
    void close();

  private:
    // The bytes the system says are left to read; 0 when it does not know.
    std::size_t sizeHint();

    struct Handle;
    std::unique_ptr<Handle> m_handle;
    std::string m_path;
};

// InputFile(path).readAll().
FileBytes readWholeFile(const std::string& path);

} // namespace common
