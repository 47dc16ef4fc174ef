// The compound-file container (the "structured storage" that .xls files are
// kept in): header, FAT and DIFAT, directory and mini stream. Reads streams;
// its sector layout is exposed so that a writer can place changes in place.
//
// Layout: a header of 512 bytes, then sectors of 512 (version 3) or 4096
// (version 4) bytes; sector n starts at (n + 1) * sectorSize. The FAT links
// sectors into chains; streams below the mini-stream cutoff live in 64-byte
// mini sectors inside the root entry's stream, linked by the mini FAT.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace xls {

namespace cfb {
// The first eight bytes of every compound file.
constexpr std::string_view kSignature("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
constexpr std::uint32_t kFreeSector = 0xFFFFFFFF;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kFatSector = 0xFFFFFFFD;
constexpr std::uint32_t kDifatSector = 0xFFFFFFFC;
constexpr std::uint32_t kMaxRegularSector = 0xFFFFFFFA;
constexpr std::uint32_t kNoStream = 0xFFFFFFFF;
constexpr std::size_t kHeaderSize = 512;
constexpr std::size_t kHeaderDifatEntries = 109;
constexpr std::size_t kDirectoryEntrySize = 128;
constexpr std::uint8_t kTypeStorage = 1;
constexpr std::uint8_t kTypeStream = 2;
constexpr std::uint8_t kTypeRoot = 5;
} // namespace cfb

struct DirectoryEntry {
    std::u16string name;
    std::uint8_t type = 0; // cfb::kType...; 0 for an unused entry
    std::uint32_t left = cfb::kNoStream;
    std::uint32_t right = cfb::kNoStream;
    std::uint32_t child = cfb::kNoStream;
    std::uint32_t startSector = cfb::kEndOfChain;
    std::uint64_t size = 0;
};

class CompoundFile {
  public:
    // Reads the whole file's bytes, which must outlive the object. Throws
    // common::Error with a reason text (one of the kReason... messages) when
    // the header, FAT, DIFAT or directory is damaged. Nothing is allocated
    // beyond what the file's size justifies.
    explicit CompoundFile(std::string_view bytes);

    std::size_t sectorSize() const { return m_sectorSize; }
    std::size_t miniSectorSize() const { return m_miniSectorSize; }
    std::uint32_t miniStreamCutoff() const { return m_miniCutoff; }
    const std::vector<std::uint32_t>& fat() const { return m_fat; }
    const std::vector<std::uint32_t>& miniFat() const { return m_miniFat; }
    const std::vector<DirectoryEntry>& entries() const { return m_entries; }
    // Byte offset of a regular sector in the file.
    std::size_t sectorOffset(std::uint32_t sector) const { return (sector + 1) * m_sectorSize; }

    // The entry index of the stream of that name directly inside the root
    // storage (names compared without regard to ASCII case), if any.
    std::optional<std::size_t> findStream(std::u16string_view name) const;
    // The stream's bytes. Throws common::Error when its chain is damaged.
    std::string readStream(std::size_t entry) const;
    // The stream's bytes in place when its sectors follow one another in the
    // file (as writers usually lay out a large stream); nothing otherwise.
    std::optional<std::string_view> contiguousStream(std::size_t entry) const;

    // The sectors of a chain in the FAT, in order; checked for loops and range.
    std::vector<std::uint32_t> chain(std::uint32_t start) const;

  private:
    void readHeader();
    void readFat();
    void readDirectory();
    void readMiniStream();
    std::vector<std::uint32_t> collectFatSectors(std::uint32_t fatSectorCount) const;
    std::vector<std::uint32_t> chainIn(const std::vector<std::uint32_t>& table, std::uint32_t start,
                                       std::size_t limit, const char* what) const;
    std::string readRegular(std::uint32_t start, std::uint64_t size, const char* what) const;
    std::string readMini(std::uint32_t start, std::uint64_t size) const;
    std::string_view sectorBytes(std::uint32_t sector, std::size_t needed, const char* what) const;

    std::string_view m_bytes;
    std::size_t m_sectorSize = 512;
    std::size_t m_miniSectorSize = 64;
    std::uint32_t m_miniCutoff = 4096;
    std::size_t m_sectorCount = 0; // sectors that start inside the file
    bool m_version4 = false;
    std::uint32_t m_fatSectorCount = 0;
    std::uint32_t m_firstDirectorySector = cfb::kEndOfChain;
    std::uint32_t m_firstMiniFatSector = cfb::kEndOfChain;
    std::uint32_t m_firstDifatSector = cfb::kEndOfChain;
    std::uint32_t m_difatSectorCount = 0;
    std::vector<std::uint32_t> m_fat;
    std::vector<std::uint32_t> m_miniFat;
    std::vector<DirectoryEntry> m_entries;
    std::string m_miniStream;
};

} // namespace xls
