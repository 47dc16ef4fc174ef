#include "cli/ImportCommand.h"

#include "common/IoError.h"
#include "import/CustomDataRecord.h"

#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <ostream>
#include <unistd.h>

namespace cli {
namespace {

constexpr std::size_t kReadChunk = 64 * 1024;

// Owns a descriptor opened for reading, so that an error thrown while
// reading does not leak it.
class InputFile {
  public:
    explicit InputFile(const std::string& path) : m_path(path)
    {
        do
            m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        while (m_fd < 0 && errno == EINTR);
        if (m_fd < 0)
            common::throwLastIoError(path);
    }
    ~InputFile() { ::close(m_fd); }
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Fills `buffer` from `used` on; the new length, which stays at `used` at the end.
    std::size_t read(std::string& buffer, std::size_t used)
    {
        ssize_t got;
        do
            got = ::read(m_fd, buffer.data() + used, buffer.size() - used);
        while (got < 0 && errno == EINTR);
        if (got < 0)
            common::throwLastIoError(m_path);
        return used + static_cast<std::size_t>(got);
    }

  private:
    std::string m_path;
    int m_fd = -1;
};

// Prints every whole record of the buffer; the bytes of an incomplete one
// are moved to its start. Returns how many bytes were kept.
std::size_t printRecords(std::string& buffer, std::size_t used, std::ostream& out)
{
    std::string text;
    std::size_t offset = 0;
    for (; offset + importer::kRecordSize <= used; offset += importer::kRecordSize) {
        auto record = importer::decodeRecord(reinterpret_cast<const unsigned char*>(buffer.data() + offset));
        text += dumpLine(record.time, record.value);
        text += '\n';
    }
    out << text;
    buffer.replace(0, used - offset, buffer, offset, used - offset);
    return used - offset;
}

void dumpFile(const std::string& path, CliContext& context)
{
    InputFile file(path);
    std::string buffer(kReadChunk, '\0');
    std::size_t kept = 0;
    while (true) {
        std::size_t used = file.read(buffer, kept);
        if (used == kept)
            break;
        kept = printRecords(buffer, used, context.out);
    }
    if (kept != 0)
        context.err << path << ": " << kept << " trailing byte(s) do not make a whole record\n";
}

} // namespace

std::string dumpLine(std::int32_t time, float value)
{
    using namespace std::chrono;
    const sys_seconds when{seconds{time}};
    const sys_days day = floor<days>(when);
    const year_month_day date{day};
    const hh_mm_ss<seconds> clock{when - day};
    char text[96];
    int length =
        std::snprintf(text, sizeof text, "%d\t%04d-%02u-%02u %02d:%02d:%02d\t", static_cast<int>(time),
                      static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                      static_cast<unsigned>(date.day()), static_cast<int>(clock.hours().count()),
                      static_cast<int>(clock.minutes().count()), static_cast<int>(clock.seconds().count()));
    // std::to_chars without a format gives the shortest text that reads back
    // as the same float, and never depends on the C locale.
    auto result = std::to_chars(text + length, text + sizeof text, value);
    return std::string(text, result.ptr);
}

int runDumpCommand(const std::vector<std::string>& files, CliContext& context)
{
    for (const std::string& path : files)
        dumpFile(path, context);
    return kExitDone;
}

} // namespace cli
