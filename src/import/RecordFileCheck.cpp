#include "import/RecordFileCheck.h"

#include "common/FileSystem.h"
#include "import/CollectTxtFiles.h"

#include <algorithm>

namespace importer {
namespace {

// A record's time as the reading orders it, and its place in the file.
struct Stamp {
    std::int64_t seconds;
    std::size_t index;
    bool operator<(const Stamp& other) const
    {
        return seconds != other.seconds ? seconds < other.seconds : index < other.index;
    }
};

std::vector<Stamp> stampsOf(std::string_view bytes, TimeReading reading)
{
    std::vector<Stamp> stamps;
    stamps.reserve(bytes.size() / kRecordSize);
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    for (std::size_t index = 0; (index + 1) * kRecordSize <= bytes.size(); ++index)
        stamps.push_back({recordSeconds(decodeRecord(data + index * kRecordSize).time, reading), index});
    return stamps;
}

} // namespace

RecordFileReport checkRecordBytes(std::string_view bytes, TimeReading reading)
{
    RecordFileReport report;
    std::vector<Stamp> stamps = stampsOf(bytes, reading);
    report.records = stamps.size();
    report.trailingBytes = bytes.size() % kRecordSize;
    for (std::size_t i = 0; i < stamps.size(); ++i) {
        if (i > 0 && stamps[i].seconds < stamps[i - 1].seconds)
            ++report.outOfOrder;
        if (recordSeconds(static_cast<std::int32_t>(stamps[i].seconds), TimeReading::Signed) < 0)
            ++report.negativeTimes;
    }
    if (stamps.empty())
        return report;
    std::sort(stamps.begin(), stamps.end());
    report.firstSeconds = stamps.front().seconds;
    report.lastSeconds = stamps.back().seconds;
    for (std::size_t i = 1; i < stamps.size(); ++i)
        if (stamps[i].seconds == stamps[i - 1].seconds)
            ++report.duplicates;
    return report;
}

std::string tidyRecordBytes(std::string_view bytes, TimeReading reading)
{
    std::vector<Stamp> stamps = stampsOf(bytes, reading);
    std::sort(stamps.begin(), stamps.end());
    std::string tidy;
    tidy.reserve(stamps.size() * kRecordSize);
    for (std::size_t i = 0; i < stamps.size(); ++i) {
        // Of a run of one time, sorted by place, only the last is kept.
        if (i + 1 < stamps.size() && stamps[i + 1].seconds == stamps[i].seconds)
            continue;
        tidy.append(bytes.substr(stamps[i].index * kRecordSize, kRecordSize));
    }
    return tidy;
}

void collectRecordFiles(const std::string& path, std::vector<std::string>& paths,
                        const common::CodePage& codePage)
{
    if (!common::folderExists(path)) {
        paths.push_back(path);
        return;
    }
    collectFilesWithExtensions(path, {".DAT", ".ADT"}, paths, codePage);
}

} // namespace importer
