// Line reading: 64 KiB reads, so that a line costs no system call of its own.
#include "common/TextFileReader.h"

#include "common/FileRead.h"
#include "common/IoError.h"

#include <bit>
#include <cstring>
#include <optional>
#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

namespace common {

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;
constexpr char kCtrlZ = 0x1A;

bool endsLineText(char c)
{
    return c == '\n' || c == '\r' || c == kCtrlZ;
}

// The first LF, CR or Ctrl+Z in [cursor, stop), or stop. Sixteen bytes a
// step where SSE2 is there (every x86-64): lines are short, and testing byte
// by byte was a large part of a line's cost.
const char* findLineTextEnd(const char* cursor, const char* stop)
{
#if defined(__SSE2__) || defined(_M_X64)
    const __m128i lineFeed = _mm_set1_epi8('\n');
    const __m128i carriageReturn = _mm_set1_epi8('\r');
    const __m128i ctrlZ = _mm_set1_epi8(kCtrlZ);
    while (stop - cursor >= 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(cursor));
        const __m128i found =
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, lineFeed), _mm_cmpeq_epi8(bytes, carriageReturn)),
                         _mm_cmpeq_epi8(bytes, ctrlZ));
        const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(found));
        if (mask != 0)
            return cursor + std::countr_zero(mask);
        cursor += 16;
    }
#endif
    while (cursor < stop && !endsLineText(*cursor))
        ++cursor;
    return cursor;
}

} // namespace

struct TextFileReader::Impl {
    // Opened for reading with read sharing only (FileRead.h).
    std::optional<InputFile> file;
    // Left uninitialised: only bytes a read has filled are looked at.
    std::unique_ptr<char[]> buffer{new char[kBufferSize]};
    std::size_t pos = 0;
    std::size_t end = 0;
    bool eof = false;

    // Makes at least one unread byte available; false at the end of the file.
    bool fill()
    {
        if (pos < end)
            return true;
        if (!file)
            throw ioError(io::kFileNotOpen);
        if (eof)
            return false;
        const std::size_t got = file->readSome(buffer.get(), kBufferSize);
        if (got == 0) {
            eof = true;
            return false;
        }
        pos = 0;
        end = got;
        return true;
    }

    // Drops everything up to and including the next LF.
    void skipPastLineFeed()
    {
        while (fill()) {
            const void* lf = std::memchr(buffer.get() + pos, '\n', end - pos);
            if (lf) {
                pos = static_cast<std::size_t>(static_cast<const char*>(lf) - buffer.get()) + 1;
                return;
            }
            pos = end;
        }
    }
};

TextFileReader::TextFileReader(const std::string& path) : m_impl(std::make_unique<Impl>())
{
    m_impl->file.emplace(path);
}

TextFileReader::~TextFileReader()
{
    close();
}

bool TextFileReader::atEnd()
{
    if (!m_impl->fill())
        return true;
    return m_impl->buffer[m_impl->pos] == kCtrlZ;
}

std::string TextFileReader::readLine()
{
    std::string line;
    readLine(line);
    return line;
}

void TextFileReader::readLine(std::string& line)
{
    readLine(line, std::string::npos);
}

bool TextFileReader::readLine(std::string& line, std::size_t maxLength)
{
    Impl& d = *m_impl;
    line.clear();
    while (d.fill()) {
        const char* start = d.buffer.get() + d.pos;
        const char* stop = d.buffer.get() + d.end;
        // Copy runs of ordinary bytes in one go; CR is dropped wherever it is.
        const char* cursor = findLineTextEnd(start, stop);
        const auto run = static_cast<std::size_t>(cursor - start);
        if (run > maxLength - line.size()) {
            // What follows up to the next LF is dropped, as after a Ctrl+Z.
            line.clear();
            d.skipPastLineFeed();
            return false;
        }
        line.append(start, run);
        d.pos += run;
        if (cursor == stop)
            continue;
        const char c = *cursor;
        ++d.pos;
        if (c == '\n')
            return true;
        if (c == kCtrlZ) {
            d.skipPastLineFeed();
            return true;
        }
    }
    return true;
}

void TextFileReader::close()
{
    if (m_impl && m_impl->file) {
        m_impl->file.reset();
        m_impl->pos = m_impl->end = 0;
    }
}

} // namespace common
