#include "zip/EntryReader.h"

#include "common/Error.h"
#include "common/FormatMessage.h"
#include "zip/ZipMessages.h"

#include <zlib.h>

#include <algorithm>
#include <climits>
#include <cstring>

namespace zip {

namespace {

// zlib counts in unsigned int: feed it at most this much at a time.
constexpr std::size_t kMaxStep = std::size_t{1} << 30;

} // namespace

struct EntryReader::Inflater {
    z_stream stream{};
    std::size_t fed = 0; // input bytes handed to zlib so far

    Inflater()
    {
        if (inflateInit2(&stream, -MAX_WBITS) != Z_OK)
            throw std::bad_alloc();
    }
    ~Inflater() { inflateEnd(&stream); }
};

std::uint64_t maxEntrySize(std::uint64_t packageSize)
{
    const std::uint64_t byRatio = packageSize > (kMaxPartSize - kSmallPartSize) / kMaxInflationRatio
                                      ? kMaxPartSize
                                      : kSmallPartSize + packageSize * kMaxInflationRatio;
    return std::min(kMaxPartSize, byRatio);
}

EntryReader::EntryReader(const Archive& archive, const Entry& entry) : m_entry(entry)
{
    if (entry.encrypted())
        throw common::Error(common::formatMessage(kReasonPartEncrypted, {entry.name}));
    if (entry.method != method::kStored && entry.method != method::kDeflated)
        throw common::Error(
            common::formatMessage(kReasonPartMethod, {entry.name, std::to_string(entry.method)}));
    if (entry.size > maxEntrySize(archive.bytes().size()))
        throw common::Error(
            common::formatMessage(kReasonPartTooLarge, {entry.name, std::to_string(entry.size)}));
    m_input = archive.compressedData(entry);
    if (entry.method == method::kStored) {
        if (entry.compressedSize != entry.size)
            fail("a stored part with two sizes");
    } else {
        m_inflater = std::make_unique<Inflater>();
    }
    m_crc = static_cast<std::uint32_t>(crc32(0, nullptr, 0));
}

EntryReader::~EntryReader() = default;

void EntryReader::fail(const char* what) const
{
    throw common::Error(common::formatMessage(kReasonPartDamaged, {m_entry.name, what}));
}

std::size_t EntryReader::read(char* buffer, std::size_t capacity)
{
    if (m_done || capacity == 0)
        return 0;
    capacity = std::min(capacity, kMaxStep);
    std::size_t got = 0;
    if (!m_inflater) {
        got = static_cast<std::size_t>(std::min<std::uint64_t>(capacity, m_entry.size - m_output));
        std::memcpy(buffer, m_input.data() + m_output, got);
        m_ended = m_output + got == m_entry.size;
    } else {
        z_stream& z = m_inflater->stream;
        z.next_out = reinterpret_cast<Bytef*>(buffer);
        z.avail_out = static_cast<uInt>(capacity);
        while (z.avail_out > 0) {
            if (z.avail_in == 0 && m_inflater->fed < m_input.size()) {
                const std::size_t step = std::min(m_input.size() - m_inflater->fed, kMaxStep);
                z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(m_input.data() + m_inflater->fed));
                z.avail_in = static_cast<uInt>(step);
                m_inflater->fed += step;
            }
            const int status = inflate(&z, Z_NO_FLUSH);
            if (status == Z_STREAM_END) {
                m_ended = true;
                break;
            }
            if (status == Z_BUF_ERROR)
                fail("its compressed data is cut short");
            if (status != Z_OK)
                fail("its compressed data is corrupt");
            // Stop once the output passes the declared size: a zip bomb
            // that lies about its size gets no further than that.
            if (m_output + (capacity - z.avail_out) > m_entry.size)
                break;
        }
        got = capacity - z.avail_out;
    }
    if (m_output + got > m_entry.size)
        fail("it inflates to more bytes than its declared size");
    m_output += got;
    m_crc = static_cast<std::uint32_t>(
        crc32(m_crc, reinterpret_cast<const Bytef*>(buffer), static_cast<uInt>(got)));
    if (m_ended) {
        if (m_output != m_entry.size)
            fail("it inflates to fewer bytes than its declared size");
        if (m_crc != m_entry.crc)
            fail("its CRC does not match");
        m_done = true;
    }
    return got;
}

std::string readEntry(const Archive& archive, const Entry& entry)
{
    EntryReader reader(archive, entry);
    std::string bytes(static_cast<std::size_t>(entry.size), '\0');
    std::size_t at = 0;
    for (;;) {
        // One byte more than declared is asked for, so that a longer entry fails.
        char spare;
        char* target = at < bytes.size() ? bytes.data() + at : &spare;
        const std::size_t got = reader.read(target, at < bytes.size() ? bytes.size() - at : 1);
        if (got == 0)
            break;
        at += got;
    }
    return bytes;
}

} // namespace zip
