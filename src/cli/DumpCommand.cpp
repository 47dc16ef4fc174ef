#include "cli/ImportCommand.h"

#include "common/FileRead.h"
#include "import/CustomDataRecord.h"

#include <charconv>
#include <chrono>
#include <cstdio>
#include <ostream>
#include <string_view>

namespace cli {
namespace {

// Prints every whole record of the file; the bytes of an incomplete one at
// its end are reported, not printed.
void dumpFile(const std::string& path, CliContext& context)
{
    const common::FileBytes bytes = common::readWholeFile(path);
    const std::string_view records = bytes.view();
    std::string text;
    std::size_t offset = 0;
    for (; offset + importer::kRecordSize <= records.size(); offset += importer::kRecordSize) {
        const auto record =
            importer::decodeRecord(reinterpret_cast<const unsigned char*>(records.data() + offset));
        text += dumpLine(record.time, record.value);
        text += '\n';
    }
    context.out << text;
    if (const std::size_t kept = records.size() - offset; kept != 0)
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
