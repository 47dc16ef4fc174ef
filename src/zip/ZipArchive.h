// Reading a zip package (.xlsx, .xlsm, .ods) from its bytes in memory: the
// central directory (zip64 included) and each entry's compressed bytes. The
// sizes come from the central directory, since writers that stream (as
// LibreOffice does) leave them out of the local headers. Nothing is
// inflated here: EntryReader.h does that, bounded by the declared size.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zip {

// The four bytes every zip package begins with (its first local header).
constexpr std::string_view kSignature("PK\x03\x04", 4);

namespace method {
constexpr std::uint16_t kStored = 0;
constexpr std::uint16_t kDeflated = 8;
} // namespace method

struct Entry {
    std::string name; // as stored: UTF-8 or code page 437, "/" between folders
    std::uint16_t versionMadeBy = 0;
    std::uint16_t flags = 0; // bit 0: encrypted; bit 3: sizes after the data; bit 11: UTF-8 name
    std::uint16_t method = 0;
    std::uint16_t time = 0; // MS-DOS time and date of the last change
    std::uint16_t date = 0;
    std::uint32_t crc = 0;
    std::uint64_t compressedSize = 0;
    std::uint64_t size = 0;
    std::uint64_t localHeaderOffset = 0;
    std::uint16_t internalAttributes = 0;
    std::uint32_t externalAttributes = 0;

    bool encrypted() const { return (flags & 1) != 0; }
};

class Archive {
  public:
    // Reads the directory of the package held in `bytes`, which must outlive
    // the object. Throws common::Error with a reason (ZipMessages.h) when
    // there is no directory, it lies outside the file, or an entry is
    // damaged; only what the file's size justifies is allocated.
    explicit Archive(std::string_view bytes);

    std::string_view bytes() const { return m_bytes; }
    const std::vector<Entry>& entries() const { return m_entries; }
    // The entry named `name`: the exact name first, else one that differs
    // only in the case of ASCII letters (package part names are compared
    // without case); nullptr when there is none.
    const Entry* find(std::string_view name) const;
    // The entry's compressed bytes, found through its local header. Throws
    // common::Error when the header or the bytes lie outside the file.
    std::string_view compressedData(const Entry& entry) const;

  private:
    void readDirectory();

    std::string_view m_bytes;
    std::vector<Entry> m_entries;
};

} // namespace zip
