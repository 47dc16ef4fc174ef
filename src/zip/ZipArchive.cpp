#include "zip/ZipArchive.h"

#include "common/Error.h"
#include "common/FormatMessage.h"
#include "common/LittleEndian.h"
#include "zip/ZipMessages.h"

namespace zip {

namespace {

constexpr std::uint32_t kEndSignature = 0x06054b50;
constexpr std::uint32_t kZip64LocatorSignature = 0x07064b50;
constexpr std::uint32_t kZip64EndSignature = 0x06064b50;
constexpr std::uint32_t kCentralSignature = 0x02014b50;
constexpr std::uint32_t kLocalSignature = 0x04034b50;
constexpr std::size_t kEndSize = 22;
constexpr std::size_t kZip64LocatorSize = 20;
constexpr std::size_t kZip64EndSize = 56;
constexpr std::size_t kCentralSize = 46;
constexpr std::size_t kLocalSize = 30;
constexpr std::size_t kMaxComment = 0xFFFF;
constexpr std::uint16_t kZip64ExtraId = 1;

[[noreturn]] void damaged(const char* what)
{
    throw common::Error(common::formatMessage(kReasonDamaged, {what}));
}

bool asciiEqualIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

// Sizes and offsets too large for 32 bits are in the zip64 extra field, in
// this order, each only when its 32-bit field is all ones.
void readZip64Extra(std::string_view extra, Entry& entry)
{
    for (std::size_t at = 0; at + 4 <= extra.size();) {
        const std::uint16_t id = common::readU16(extra, at);
        const std::size_t length = common::readU16(extra, at + 2);
        if (at + 4 + length > extra.size())
            return;
        if (id == kZip64ExtraId) {
            std::size_t field = at + 4;
            const std::size_t end = field + length;
            auto take = [&](std::uint64_t& value) {
                if (value != 0xFFFFFFFF)
                    return;
                if (field + 8 > end)
                    damaged("an entry's zip64 field is too short");
                value = common::readU64(extra, field);
                field += 8;
            };
            take(entry.size);
            take(entry.compressedSize);
            take(entry.localHeaderOffset);
            return;
        }
        at += 4 + length;
    }
}

} // namespace

Archive::Archive(std::string_view bytes) : m_bytes(bytes)
{
    readDirectory();
}

void Archive::readDirectory()
{
    const std::string_view bytes = m_bytes;
    if (bytes.empty())
        throw common::Error(common::formatMessage(kReasonNotZip, {"the file is empty"}));
    // The end record lies in the last 22 bytes plus a comment of at most 64 KiB.
    std::size_t end = std::string_view::npos;
    if (bytes.size() >= kEndSize) {
        const std::size_t lowest =
            bytes.size() > kEndSize + kMaxComment ? bytes.size() - kEndSize - kMaxComment : 0;
        for (std::size_t at = bytes.size() - kEndSize + 1; at-- > lowest;) {
            if (common::readU32(bytes, at) == kEndSignature) {
                end = at;
                break;
            }
        }
    }
    if (end == std::string_view::npos) {
        if (bytes.starts_with(kSignature))
            throw common::Error(common::formatMessage(kReasonTruncated, {"its zip directory is missing"}));
        throw common::Error(common::formatMessage(kReasonNotZip, {"no zip directory"}));
    }
    if (common::readU16(bytes, end + 4) != 0 || common::readU16(bytes, end + 6) != 0)
        throw common::Error(common::formatMessage(kReasonNotZip, {"a zip split over several files"}));
    std::uint64_t count = common::readU16(bytes, end + 10);
    std::uint64_t directorySize = common::readU32(bytes, end + 12);
    std::uint64_t directoryOffset = common::readU32(bytes, end + 16);
    if ((count == 0xFFFF || directorySize == 0xFFFFFFFF || directoryOffset == 0xFFFFFFFF) &&
        end >= kZip64LocatorSize &&
        common::readU32(bytes, end - kZip64LocatorSize) == kZip64LocatorSignature) {
        const std::uint64_t at = common::readU64(bytes, end - kZip64LocatorSize + 8);
        if (bytes.size() < kZip64EndSize || at > bytes.size() - kZip64EndSize ||
            common::readU32(bytes, at) != kZip64EndSignature)
            damaged("the zip64 end record is missing");
        count = common::readU64(bytes, at + 32);
        directorySize = common::readU64(bytes, at + 40);
        directoryOffset = common::readU64(bytes, at + 48);
    }
    if (directoryOffset > end || directorySize > end - directoryOffset) {
        if (bytes.starts_with(kSignature))
            throw common::Error(
                common::formatMessage(kReasonTruncated, {"its zip directory lies past its end"}));
        damaged("the directory lies outside the file");
    }
    if (count > directorySize / kCentralSize)
        damaged("more entries than the directory has room for");
    m_entries.reserve(static_cast<std::size_t>(count));
    const std::string_view directory = bytes.substr(directoryOffset, directorySize);
    std::size_t at = 0;
    for (std::uint64_t i = 0; i < count; ++i) {
        if (directory.size() - at < kCentralSize || common::readU32(directory, at) != kCentralSignature)
            damaged("an entry of the directory is cut short");
        Entry entry;
        entry.versionMadeBy = common::readU16(directory, at + 4);
        entry.flags = common::readU16(directory, at + 8);
        entry.method = common::readU16(directory, at + 10);
        entry.time = common::readU16(directory, at + 12);
        entry.date = common::readU16(directory, at + 14);
        entry.crc = common::readU32(directory, at + 16);
        entry.compressedSize = common::readU32(directory, at + 20);
        entry.size = common::readU32(directory, at + 24);
        const std::size_t nameLength = common::readU16(directory, at + 28);
        const std::size_t extraLength = common::readU16(directory, at + 30);
        const std::size_t commentLength = common::readU16(directory, at + 32);
        entry.internalAttributes = common::readU16(directory, at + 36);
        entry.externalAttributes = common::readU32(directory, at + 38);
        entry.localHeaderOffset = common::readU32(directory, at + 42);
        if (directory.size() - at - kCentralSize < nameLength + extraLength + commentLength)
            damaged("an entry of the directory is cut short");
        entry.name.assign(directory.substr(at + kCentralSize, nameLength));
        readZip64Extra(directory.substr(at + kCentralSize + nameLength, extraLength), entry);
        at += kCentralSize + nameLength + extraLength + commentLength;
        m_entries.push_back(std::move(entry));
    }
}

const Entry* Archive::find(std::string_view name) const
{
    for (const Entry& entry : m_entries)
        if (entry.name == name)
            return &entry;
    for (const Entry& entry : m_entries)
        if (asciiEqualIgnoringCase(entry.name, name))
            return &entry;
    return nullptr;
}

std::string_view Archive::compressedData(const Entry& entry) const
{
    const std::string_view bytes = m_bytes;
    if (bytes.size() < kLocalSize || entry.localHeaderOffset > bytes.size() - kLocalSize)
        throw common::Error(common::formatMessage(kReasonTruncated, {"a part lies past its end"}));
    if (common::readU32(bytes, entry.localHeaderOffset) != kLocalSignature)
        throw common::Error(common::formatMessage(kReasonPartDamaged, {entry.name, "no local header"}));
    const std::uint64_t start = entry.localHeaderOffset + kLocalSize +
                                common::readU16(bytes, entry.localHeaderOffset + 26) +
                                common::readU16(bytes, entry.localHeaderOffset + 28);
    if (start > bytes.size() || entry.compressedSize > bytes.size() - start)
        throw common::Error(common::formatMessage(kReasonTruncated, {"a part lies past its end"}));
    return bytes.substr(start, entry.compressedSize);
}

} // namespace zip
