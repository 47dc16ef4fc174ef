// Inflating one entry of a zip package, a chunk at a time (zlib's raw
// inflate), so that a large part never lies in memory whole. The work is
// bounded: an entry is refused before any inflating when its declared size
// is beyond kMaxPartSize or far beyond what the package's size can honestly
// hold (a zip bomb), and reading fails as soon as the output passes the
// declared size; the CRC is checked at the end.
#pragma once

#include "zip/ZipArchive.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace zip {

// No part of a workbook needs more (a sheet of a million rows of ten
// numbers is about 300 MiB of XML).
constexpr std::uint64_t kMaxPartSize = std::uint64_t{1} << 30;
// Beyond this, a part must not be more than kMaxInflationRatio times the
// size of the whole package: real workbooks inflate 5 to 20 times, deflate
// at most about 1000 times.
constexpr std::uint64_t kSmallPartSize = std::uint64_t{32} << 20;
constexpr std::uint64_t kMaxInflationRatio = 200;

// The largest size an entry of a package of `packageSize` bytes may declare.
std::uint64_t maxEntrySize(std::uint64_t packageSize);

class EntryReader {
  public:
    // Throws common::Error (ZipMessages.h) for an encrypted entry, a method
    // other than stored or deflated, a size beyond maxEntrySize, or bytes
    // outside the file. `archive` and `entry` must outlive the reader.
    EntryReader(const Archive& archive, const Entry& entry);
    ~EntryReader();
    EntryReader(const EntryReader&) = delete;
    EntryReader& operator=(const EntryReader&) = delete;

    // Fills `buffer` with up to `capacity` next bytes of the entry and
    // returns how many; 0 once the entry is read and its CRC checked.
    // Throws common::Error when the data is damaged or cut short, inflates
    // to more or fewer bytes than declared, or fails its CRC.
    std::size_t read(char* buffer, std::size_t capacity);

    const Entry& entry() const { return m_entry; }

  private:
    [[noreturn]] void fail(const char* what) const;

    struct Inflater;
    const Entry& m_entry;
    std::string_view m_input;
    std::unique_ptr<Inflater> m_inflater; // null for a stored entry
    std::uint64_t m_output = 0;
    std::uint32_t m_crc = 0;
    bool m_ended = false;
    bool m_done = false;
};

// The whole of an entry (for the small parts that are read whole).
std::string readEntry(const Archive& archive, const Entry& entry);

} // namespace zip
