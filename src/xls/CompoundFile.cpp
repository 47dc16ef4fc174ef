#include "xls/CompoundFile.h"

#include "common/Error.h"
#include "common/FormatMessage.h"
#include "common/LittleEndian.h"
#include "xls/ReadMessages.h"

#include <algorithm>

namespace xls {

namespace {

[[noreturn]] void fail(const char* reason, const std::string& detail = {})
{
    throw common::Error(common::formatMessage(reason, {detail}));
}

std::string sectorText(std::uint32_t sector)
{
    if (sector == cfb::kFreeSector)
        return "a free sector";
    return "sector " + std::to_string(sector);
}

char16_t asciiUpper(char16_t c)
{
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

bool sameNameIgnoreCase(std::u16string_view a, std::u16string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) {
               return asciiUpper(x) == asciiUpper(y);
           });
}

} // namespace

CompoundFile::CompoundFile(std::string_view bytes) : m_bytes(bytes)
{
    readHeader();
    readFat();
    readDirectory();
    readMiniStream();
}

void CompoundFile::readHeader()
{
    if (m_bytes.empty())
        fail(kReasonEmpty);
    if (m_bytes.size() < cfb::kSignature.size() ||
        m_bytes.substr(0, cfb::kSignature.size()) != cfb::kSignature)
        fail(kReasonNotCompound);
    if (m_bytes.size() < cfb::kHeaderSize)
        fail(kReasonTruncated, "the header is incomplete");
    const std::string_view header(m_bytes.data(), cfb::kHeaderSize);
    if (common::readU16(header, 0x1C) != 0xFFFE)
        fail(kReasonBadHeader, "wrong byte-order mark");
    const std::uint16_t sectorShift = common::readU16(header, 0x1E);
    if (sectorShift != 9 && sectorShift != 12)
        fail(kReasonBadHeader, "sector size 2^" + std::to_string(sectorShift));
    if (common::readU16(header, 0x20) != 6)
        fail(kReasonBadHeader, "mini sector size 2^" + std::to_string(common::readU16(header, 0x20)));
    m_sectorSize = std::size_t{1} << sectorShift;
    m_version4 = sectorShift == 12;
    m_miniCutoff = common::readU32(header, 0x38);
    if (m_miniCutoff != 4096)
        fail(kReasonBadHeader, "mini-stream cutoff " + std::to_string(m_miniCutoff));
    m_sectorCount =
        m_bytes.size() > m_sectorSize ? (m_bytes.size() - m_sectorSize + m_sectorSize - 1) / m_sectorSize : 0;
    m_fatSectorCount = common::readU32(header, 0x2C);
    m_firstDirectorySector = common::readU32(header, 0x30);
    m_firstMiniFatSector = common::readU32(header, 0x3C);
    m_firstDifatSector = common::readU32(header, 0x44);
    m_difatSectorCount = common::readU32(header, 0x48);
    if (m_fatSectorCount == 0 || m_fatSectorCount > m_sectorCount)
        fail(kReasonBadHeader, std::to_string(m_fatSectorCount) + " FAT sectors in a file of " +
                                   std::to_string(m_sectorCount) + " sectors");
    if (m_difatSectorCount > m_sectorCount)
        fail(kReasonBadHeader, std::to_string(m_difatSectorCount) + " DIFAT sectors in a file of " +
                                   std::to_string(m_sectorCount) + " sectors");
}

std::string_view CompoundFile::sectorBytes(std::uint32_t sector, std::size_t needed, const char* what) const
{
    if (sector >= m_sectorCount)
        fail(kReasonChainRange, std::string(what) + " names " + sectorText(sector));
    const std::size_t offset = sectorOffset(sector);
    if (offset + needed > m_bytes.size())
        fail(kReasonTruncated, std::string(what) + ": " + sectorText(sector) + " lies past the end");
    return m_bytes.substr(offset, needed);
}

std::vector<std::uint32_t> CompoundFile::collectFatSectors(std::uint32_t fatSectorCount) const
{
    std::vector<std::uint32_t> sectors;
    sectors.reserve(fatSectorCount);
    const std::string_view header(m_bytes.data(), cfb::kHeaderSize);
    for (std::size_t i = 0; i < cfb::kHeaderDifatEntries && sectors.size() < fatSectorCount; ++i)
        sectors.push_back(common::readU32(header, 0x4C + 4 * i));
    const std::size_t perSector = m_sectorSize / 4 - 1;
    std::vector<bool> seen(m_sectorCount, false);
    std::uint32_t next = m_firstDifatSector;
    for (std::uint32_t d = 0; d < m_difatSectorCount && sectors.size() < fatSectorCount; ++d) {
        const std::string_view bytes = sectorBytes(next, m_sectorSize, "the DIFAT");
        if (seen[next])
            fail(kReasonChainLoop, "the DIFAT returns to " + sectorText(next));
        seen[next] = true;
        for (std::size_t i = 0; i < perSector && sectors.size() < fatSectorCount; ++i)
            sectors.push_back(common::readU32(bytes, 4 * i));
        next = common::readU32(bytes, 4 * perSector);
    }
    if (sectors.size() < fatSectorCount)
        fail(kReasonBadHeader, "the DIFAT lists fewer FAT sectors than the header counts");
    return sectors;
}

void CompoundFile::readFat()
{
    const std::vector<std::uint32_t> fatSectors = collectFatSectors(m_fatSectorCount);
    const std::size_t perSector = m_sectorSize / 4;
    m_fat.reserve(fatSectors.size() * perSector);
    for (std::uint32_t sector : fatSectors) {
        const std::string_view bytes = sectorBytes(sector, m_sectorSize, "the FAT");
        for (std::size_t i = 0; i < perSector; ++i)
            m_fat.push_back(common::readU32(bytes, 4 * i));
    }
}

std::vector<std::uint32_t> CompoundFile::chainIn(const std::vector<std::uint32_t>& table, std::uint32_t start,
                                                 std::size_t limit, const char* what) const
{
    std::vector<std::uint32_t> sectors;
    std::vector<bool> seen(std::min(table.size(), limit), false);
    for (std::uint32_t current = start; current != cfb::kEndOfChain; current = table[current]) {
        if (current >= seen.size())
            fail(kReasonChainRange, std::string(what) + " names " + sectorText(current));
        if (seen[current])
            fail(kReasonChainLoop, std::string(what) + " returns to " + sectorText(current));
        seen[current] = true;
        sectors.push_back(current);
    }
    return sectors;
}

std::vector<std::uint32_t> CompoundFile::chain(std::uint32_t start) const
{
    return chainIn(m_fat, start, m_sectorCount, "a chain");
}

std::string CompoundFile::readRegular(std::uint32_t start, std::uint64_t size, const char* what) const
{
    if (size > m_bytes.size())
        fail(kReasonTruncated,
             std::string(what) + " claims " + std::to_string(size) + " bytes, more than the file holds");
    const std::vector<std::uint32_t> sectors = chainIn(m_fat, start, m_sectorCount, what);
    if (sectors.size() * m_sectorSize < size)
        fail(kReasonTruncated, std::string(what) + " ends before its " + std::to_string(size) + " bytes");
    std::string out;
    out.reserve(static_cast<std::size_t>(size));
    for (std::uint32_t sector : sectors) {
        const std::size_t needed = std::min<std::size_t>(m_sectorSize, size - out.size());
        if (needed == 0)
            break;
        out.append(sectorBytes(sector, needed, what));
    }
    return out;
}

void CompoundFile::readDirectory()
{
    const std::vector<std::uint32_t> sectors =
        chainIn(m_fat, m_firstDirectorySector, m_sectorCount, "the directory");
    const std::size_t perSector = m_sectorSize / cfb::kDirectoryEntrySize;
    m_entries.reserve(sectors.size() * perSector);
    for (std::uint32_t sector : sectors) {
        const std::string_view bytes = sectorBytes(sector, m_sectorSize, "the directory");
        for (std::size_t i = 0; i < perSector; ++i) {
            const std::string_view raw = bytes.substr(i * cfb::kDirectoryEntrySize, cfb::kDirectoryEntrySize);
            DirectoryEntry entry;
            const std::size_t nameBytes = std::min<std::size_t>(common::readU16(raw, 0x40), 64);
            const std::size_t nameChars = nameBytes >= 2 ? nameBytes / 2 - 1 : 0; // the length counts the NUL
            for (std::size_t c = 0; c < nameChars; ++c)
                entry.name.push_back(static_cast<char16_t>(common::readU16(raw, 2 * c)));
            entry.type = common::byteAt(raw, 0x42);
            entry.left = common::readU32(raw, 0x44);
            entry.right = common::readU32(raw, 0x48);
            entry.child = common::readU32(raw, 0x4C);
            entry.startSector = common::readU32(raw, 0x74);
            // Version 3 files may leave garbage in the high half of the size.
            entry.size = m_version4 ? common::readU64(raw, 0x78) : common::readU32(raw, 0x78);
            m_entries.push_back(std::move(entry));
        }
    }
    if (m_entries.empty() || m_entries[0].type != cfb::kTypeRoot)
        fail(kReasonBadDirectory, "no root entry");
}

void CompoundFile::readMiniStream()
{
    const DirectoryEntry& root = m_entries[0];
    if (root.size > 0)
        m_miniStream = readRegular(root.startSector, root.size, "the mini stream");
    const std::vector<std::uint32_t> sectors =
        chainIn(m_fat, m_firstMiniFatSector, m_sectorCount, "the mini FAT");
    m_miniFat.reserve(sectors.size() * (m_sectorSize / 4));
    for (std::uint32_t sector : sectors) {
        const std::string_view bytes = sectorBytes(sector, m_sectorSize, "the mini FAT");
        for (std::size_t i = 0; i < m_sectorSize / 4; ++i)
            m_miniFat.push_back(common::readU32(bytes, 4 * i));
    }
}

std::string CompoundFile::readMini(std::uint32_t start, std::uint64_t size) const
{
    const std::size_t miniCount = (m_miniStream.size() + m_miniSectorSize - 1) / m_miniSectorSize;
    const std::vector<std::uint32_t> sectors = chainIn(m_miniFat, start, miniCount, "a mini stream chain");
    if (sectors.size() * m_miniSectorSize < size)
        fail(kReasonTruncated, "a small stream ends before its " + std::to_string(size) + " bytes");
    std::string out;
    out.reserve(static_cast<std::size_t>(size));
    for (std::uint32_t sector : sectors) {
        const std::size_t needed = std::min<std::size_t>(m_miniSectorSize, size - out.size());
        if (needed == 0)
            break;
        const std::size_t offset = sector * m_miniSectorSize;
        if (offset + needed > m_miniStream.size())
            fail(kReasonTruncated,
                 "mini sector " + std::to_string(sector) + " lies past the mini stream's end");
        out.append(m_miniStream, offset, needed);
    }
    return out;
}

std::optional<std::size_t> CompoundFile::findStream(std::u16string_view name) const
{
    std::vector<bool> seen(m_entries.size(), false);
    std::vector<std::uint32_t> pending{m_entries[0].child};
    std::optional<std::size_t> found;
    while (!pending.empty()) {
        const std::uint32_t id = pending.back();
        pending.pop_back();
        if (id == cfb::kNoStream)
            continue;
        if (id >= m_entries.size())
            fail(kReasonBadDirectory, "entry " + std::to_string(id) + " does not exist");
        if (seen[id])
            fail(kReasonBadDirectory, "entry " + std::to_string(id) + " is linked twice");
        seen[id] = true;
        const DirectoryEntry& entry = m_entries[id];
        if (!found && entry.type == cfb::kTypeStream && sameNameIgnoreCase(entry.name, name))
            found = id;
        pending.push_back(entry.left);
        pending.push_back(entry.right);
    }
    return found;
}

std::optional<std::string_view> CompoundFile::contiguousStream(std::size_t entry) const
{
    const DirectoryEntry& e = m_entries.at(entry);
    if (e.size < m_miniCutoff || e.size > m_bytes.size())
        return std::nullopt;
    const std::vector<std::uint32_t> sectors =
        chainIn(m_fat, e.startSector, m_sectorCount, "the workbook stream");
    for (std::size_t i = 1; i < sectors.size(); ++i)
        if (sectors[i] != sectors[i - 1] + 1)
            return std::nullopt;
    if (sectors.empty() || sectors.size() * m_sectorSize < e.size ||
        sectorOffset(sectors.front()) + e.size > m_bytes.size())
        return std::nullopt; // readStream names the damage
    return m_bytes.substr(sectorOffset(sectors.front()), static_cast<std::size_t>(e.size));
}

std::string CompoundFile::readStream(std::size_t entry) const
{
    const DirectoryEntry& e = m_entries.at(entry);
    if (e.size < m_miniCutoff)
        return readMini(e.startSector, e.size);
    return readRegular(e.startSector, e.size, "the workbook stream");
}

} // namespace xls
