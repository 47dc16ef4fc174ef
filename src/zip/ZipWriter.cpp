#include "zip/ZipWriter.h"

#include "common/Error.h"
#include "common/LittleEndian.h"
#include "zip/ZipMessages.h"

#include <zlib.h>

#include <new>

namespace zip {

namespace {

constexpr int kDeflateLevel = 1;
constexpr std::uint16_t kVersionNeeded = 20; // 2.0: deflate
constexpr std::uint16_t kUtf8Name = 0x0800;
constexpr std::uint16_t kDeflateOptions = 0x0006; // how hard the compressor tried
constexpr std::uint64_t kLimit = 0xFFFFFFFE;      // beyond this, zip64 would be needed

[[noreturn]] void tooLarge()
{
    throw common::Error(kReasonTooLargeToWrite);
}

std::string deflateRaw(std::string_view data)
{
    z_stream z{};
    if (deflateInit2(&z, kDeflateLevel, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::bad_alloc();
    if (data.size() > kLimit)
        tooLarge();
    std::string out(deflateBound(&z, static_cast<uLong>(data.size())), '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    const int status = deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    if (status != Z_STREAM_END)
        throw std::bad_alloc(); // deflateBound leaves room for any input: only memory can fail
    return out;
}

} // namespace

void Writer::copy(const Archive& from, const Entry& entry)
{
    append(entry, from.compressedData(entry));
}

void Writer::add(const Entry& like, std::string_view data)
{
    Entry entry = like;
    entry.method = method::kDeflated;
    entry.flags = static_cast<std::uint16_t>(like.flags & kUtf8Name);
    entry.size = data.size();
    entry.crc = static_cast<std::uint32_t>(crc32(
        crc32(0, nullptr, 0), reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
    const std::string compressed = deflateRaw(data);
    entry.compressedSize = compressed.size();
    append(entry, compressed);
}

void Writer::append(const Entry& entry, std::string_view compressed)
{
    const std::uint64_t offset = m_bytes.size();
    if (entry.size > kLimit || compressed.size() > kLimit || offset > kLimit || entry.name.size() > 0xFFFF)
        tooLarge();
    // The sizes go into the local header, so no data descriptor follows.
    const std::uint16_t flags = static_cast<std::uint16_t>(entry.flags & (kUtf8Name | kDeflateOptions));
    auto fields = [&](std::string& out) {
        common::appendU16(out, kVersionNeeded);
        common::appendU16(out, flags);
        common::appendU16(out, entry.method);
        common::appendU16(out, entry.time);
        common::appendU16(out, entry.date);
        common::appendU32(out, entry.crc);
        common::appendU32(out, static_cast<std::uint32_t>(compressed.size()));
        common::appendU32(out, static_cast<std::uint32_t>(entry.size));
        common::appendU16(out, static_cast<std::uint16_t>(entry.name.size()));
        common::appendU16(out, 0); // no extra field
    };
    common::appendU32(m_bytes, 0x04034b50);
    fields(m_bytes);
    m_bytes += entry.name;
    m_bytes += compressed;

    common::appendU32(m_directory, 0x02014b50);
    common::appendU16(m_directory, entry.versionMadeBy);
    fields(m_directory);
    common::appendU16(m_directory, 0); // no comment
    common::appendU16(m_directory, 0); // disk 0
    common::appendU16(m_directory, entry.internalAttributes);
    common::appendU32(m_directory, entry.externalAttributes);
    common::appendU32(m_directory, static_cast<std::uint32_t>(offset));
    m_directory += entry.name;
    ++m_count;
}

std::string Writer::finish()
{
    const std::uint64_t directoryOffset = m_bytes.size();
    if (directoryOffset > kLimit || m_directory.size() > kLimit || m_count >= 0xFFFF)
        tooLarge();
    std::string bytes = std::move(m_bytes);
    bytes += m_directory;
    common::appendU32(bytes, 0x06054b50);
    common::appendU16(bytes, 0); // this disk
    common::appendU16(bytes, 0); // the directory's disk
    common::appendU16(bytes, static_cast<std::uint16_t>(m_count));
    common::appendU16(bytes, static_cast<std::uint16_t>(m_count));
    common::appendU32(bytes, static_cast<std::uint32_t>(m_directory.size()));
    common::appendU32(bytes, static_cast<std::uint32_t>(directoryOffset));
    common::appendU16(bytes, 0); // no comment
    m_bytes.clear();
    m_directory.clear();
    m_count = 0;
    return bytes;
}

} // namespace zip
