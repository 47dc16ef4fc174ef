#include "xlswrite/CompoundFileWriter.h"

#include "common/LittleEndian.h"

#include <vector>

namespace xlswrite {

namespace {

constexpr std::size_t kMiniSector = 64;
constexpr std::size_t kHeaderFatSlot = 0x4C;

// Sectors in the order they are written, with the FAT that links them.
class SectorLayout {
  public:
    explicit SectorLayout(std::size_t sectorSize) : m_sectorSize(sectorSize) {}

    // Appends `data` as a chain of whole sectors (the last one zero-padded)
    // and returns its first sector; kEndOfChain for no data.
    std::uint32_t place(std::string_view data)
    {
        if (data.empty())
            return xls::cfb::kEndOfChain;
        const auto first = static_cast<std::uint32_t>(m_fat.size());
        const std::size_t count = (data.size() + m_sectorSize - 1) / m_sectorSize;
        for (std::size_t k = 0; k < count; ++k)
            m_fat.push_back(k + 1 < count ? static_cast<std::uint32_t>(first + k + 1)
                                          : xls::cfb::kEndOfChain);
        m_body.append(data);
        m_body.append(count * m_sectorSize - data.size(), '\0');
        return first;
    }

    std::size_t sectorCount() const { return m_fat.size(); }
    std::vector<std::uint32_t>& fat() { return m_fat; }
    const std::string& body() const { return m_body; }

  private:
    std::size_t m_sectorSize;
    std::vector<std::uint32_t> m_fat;
    std::string m_body;
};

// The mini stream and its FAT: small streams in 64-byte pieces.
struct MiniStream {
    std::string bytes;
    std::vector<std::uint32_t> fat;

    std::uint32_t place(std::string_view data)
    {
        if (data.empty())
            return xls::cfb::kEndOfChain;
        const auto first = static_cast<std::uint32_t>(fat.size());
        const std::size_t count = (data.size() + kMiniSector - 1) / kMiniSector;
        for (std::size_t k = 0; k < count; ++k)
            fat.push_back(k + 1 < count ? static_cast<std::uint32_t>(first + k + 1) : xls::cfb::kEndOfChain);
        bytes.append(data);
        bytes.append(count * kMiniSector - data.size(), '\0');
        return first;
    }
};

std::string tableBytes(const std::vector<std::uint32_t>& table, std::size_t sectorSize)
{
    std::string out;
    for (std::uint32_t value : table)
        common::appendU32(out, value);
    if (const std::size_t rest = out.size() % sectorSize; rest != 0)
        for (std::size_t k = rest; k < sectorSize; k += 4)
            common::appendU32(out, xls::cfb::kFreeSector);
    return out;
}

// The directory's sectors exactly as the file holds them, so that class ids,
// state bits and times survive; only start sectors and sizes are changed.
std::string rawDirectory(const xls::CompoundFile& file, std::string_view original)
{
    std::string out;
    for (std::uint32_t sector : file.chain(common::readU32(original, 0x30)))
        out.append(original.substr(file.sectorOffset(sector), file.sectorSize()));
    return out;
}

struct FatShape {
    std::size_t fatSectors = 0;
    std::size_t difatSectors = 0;
};

// The FAT must also map its own sectors and the DIFAT's: grow until it fits.
FatShape fatShapeFor(std::size_t dataSectors, std::size_t sectorSize)
{
    const std::size_t perFat = sectorSize / 4;
    const std::size_t perDifat = sectorSize / 4 - 1;
    FatShape shape;
    for (;;) {
        const std::size_t total = dataSectors + shape.fatSectors + shape.difatSectors;
        FatShape next;
        next.fatSectors = (total + perFat - 1) / perFat;
        if (next.fatSectors > xls::cfb::kHeaderDifatEntries)
            next.difatSectors = (next.fatSectors - xls::cfb::kHeaderDifatEntries + perDifat - 1) / perDifat;
        if (next.fatSectors == shape.fatSectors && next.difatSectors == shape.difatSectors)
            return shape;
        shape = next;
    }
}

// Every stream's new place: small ones in the mini stream, the others in
// regular sectors; then the mini stream itself and its FAT.
struct PlacedStreams {
    std::vector<std::uint32_t> starts;
    std::vector<std::uint64_t> sizes;
    std::uint32_t miniFatStart = xls::cfb::kEndOfChain;
    std::size_t miniFatSectors = 0;
};

PlacedStreams placeStreams(const xls::CompoundFile& file, std::size_t entry, std::string_view replacement,
                           SectorLayout& layout)
{
    const std::vector<xls::DirectoryEntry>& entries = file.entries();
    PlacedStreams placed;
    placed.starts.assign(entries.size(), xls::cfb::kEndOfChain);
    placed.sizes.assign(entries.size(), 0);
    MiniStream mini;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].type != xls::cfb::kTypeStream)
            continue;
        const std::string content = i == entry ? std::string(replacement) : file.readStream(i);
        placed.sizes[i] = content.size();
        placed.starts[i] =
            content.size() < file.miniStreamCutoff() ? mini.place(content) : layout.place(content);
    }
    placed.starts[0] = layout.place(mini.bytes);
    placed.sizes[0] = mini.bytes.size();
    if (!mini.fat.empty()) {
        placed.miniFatStart = layout.place(tableBytes(mini.fat, file.sectorSize()));
        placed.miniFatSectors = (mini.fat.size() * 4 + file.sectorSize() - 1) / file.sectorSize();
    }
    return placed;
}

// The DIFAT sectors after the FAT: the FAT sectors the header has no room
// for, each sector ending with the next one's number.
std::string difatBytes(const std::vector<std::uint32_t>& fatSectors, const FatShape& shape,
                       std::size_t firstSector, std::size_t sectorSize)
{
    std::string out;
    const std::size_t perDifat = sectorSize / 4 - 1;
    for (std::size_t d = 0; d < shape.difatSectors; ++d) {
        for (std::size_t k = 0; k < perDifat; ++k) {
            const std::size_t index = xls::cfb::kHeaderDifatEntries + d * perDifat + k;
            common::appendU32(out, index < fatSectors.size() ? fatSectors[index] : xls::cfb::kFreeSector);
        }
        const bool last = d + 1 == shape.difatSectors;
        common::appendU32(out,
                          last ? xls::cfb::kEndOfChain : static_cast<std::uint32_t>(firstSector + d + 1));
    }
    return out;
}

} // namespace

std::string rewriteCompoundFile(const xls::CompoundFile& file, std::string_view original, std::size_t entry,
                                std::string_view replacement)
{
    const std::size_t sectorSize = file.sectorSize();
    SectorLayout layout(sectorSize);
    const PlacedStreams placed = placeStreams(file, entry, replacement, layout);
    std::string directory = rawDirectory(file, original);
    for (std::size_t i = 0; i < file.entries().size(); ++i) {
        const std::uint8_t type = file.entries()[i].type;
        if (type != xls::cfb::kTypeStream && type != xls::cfb::kTypeRoot)
            continue;
        const std::size_t at = i * xls::cfb::kDirectoryEntrySize;
        common::putU32(directory, at + 0x74, placed.starts[i]);
        common::putU32(directory, at + 0x78, static_cast<std::uint32_t>(placed.sizes[i]));
        common::putU32(directory, at + 0x7C, static_cast<std::uint32_t>(placed.sizes[i] >> 32));
    }
    const std::size_t directorySectors = directory.size() / sectorSize;
    const std::uint32_t directoryStart = layout.place(directory);

    const std::size_t dataSectors = layout.sectorCount();
    const FatShape shape = fatShapeFor(dataSectors, sectorSize);
    std::vector<std::uint32_t>& fat = layout.fat();
    fat.insert(fat.end(), shape.fatSectors, xls::cfb::kFatSector);
    fat.insert(fat.end(), shape.difatSectors, xls::cfb::kDifatSector);
    fat.resize(shape.fatSectors * sectorSize / 4, xls::cfb::kFreeSector);
    std::vector<std::uint32_t> fatSectors;
    for (std::size_t k = 0; k < shape.fatSectors; ++k)
        fatSectors.push_back(static_cast<std::uint32_t>(dataSectors + k));

    std::string header(original.substr(0, kHeaderFatSlot));
    header.resize(sectorSize, '\0'); // a version 4 header fills a whole 4096-byte sector
    common::putU32(header, 0x28,
                   sectorSize == xls::cfb::kHeaderSize ? 0 : static_cast<std::uint32_t>(directorySectors));
    common::putU32(header, 0x2C, static_cast<std::uint32_t>(shape.fatSectors));
    common::putU32(header, 0x30, directoryStart);
    common::putU32(header, 0x38, file.miniStreamCutoff());
    common::putU32(header, 0x3C, placed.miniFatStart);
    common::putU32(header, 0x40, static_cast<std::uint32_t>(placed.miniFatSectors));
    common::putU32(header, 0x44,
                   shape.difatSectors > 0 ? static_cast<std::uint32_t>(dataSectors + shape.fatSectors)
                                          : xls::cfb::kEndOfChain);
    common::putU32(header, 0x48, static_cast<std::uint32_t>(shape.difatSectors));
    for (std::size_t k = 0; k < xls::cfb::kHeaderDifatEntries; ++k)
        common::putU32(header, kHeaderFatSlot + 4 * k,
                       k < fatSectors.size() ? fatSectors[k] : xls::cfb::kFreeSector);
    return header + layout.body() + tableBytes(fat, sectorSize) +
           difatBytes(fatSectors, shape, dataSectors + shape.fatSectors, sectorSize);
}

} // namespace xlswrite
