// Reading a text file line by line: LF or CR LF ends a line, a lone CR is
// dropped, Ctrl+Z (0x1A) ends a line's text and, at a line's start, the file.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace common {

class TextFileReader {
  public:
    // Opens for reading only. Throws the I/O error of the failed open
    // (2 missing file, 3 missing folder, 5 access refused or a folder).
    explicit TextFileReader(const std::string& path);
    ~TextFileReader();
    TextFileReader(const TextFileReader&) = delete;
    TextFileReader& operator=(const TextFileReader&) = delete;

    // True when no byte is left or the next byte is Ctrl+Z.
    bool atEnd();
    // The next line's text (without its line break); advances past the break.
    // Throws an I/O error when reading fails.
    std::string readLine();
    // The same into `line`, which keeps its capacity, so that a caller
    // reusing one string reads line after line without allocating.
    void readLine(std::string& line);
    // The same for a caller that takes no line longer than `maxLength` bytes
    // of text: a longer one is skipped as it is read, never held (`line` is
    // then empty), and the result is false; reading goes on at the next line.
    bool readLine(std::string& line, std::size_t maxLength);
    void close();

  private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace common
