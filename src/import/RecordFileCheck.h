// Looking over a record file for what makes an analysis program show a day
// twice or out of place: times held by more than one record, records out of
// time order, and bytes after the last whole record.
#pragma once

#include "common/CodePage.h"
#include "import/CustomDataRecord.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace importer {

struct RecordFileReport {
    std::size_t records = 0;
    // The earliest and the latest time, as seconds since 1970 (when there
    // is a record).
    std::int64_t firstSeconds = 0;
    std::int64_t lastSeconds = 0;
    // Records beyond the first of each time: those that tidying drops.
    std::size_t duplicates = 0;
    // Records whose time is earlier than that of the record before them.
    std::size_t outOfOrder = 0;
    // Bytes after the last whole record (the file's length mod 8).
    std::size_t trailingBytes = 0;
    // Records whose time is negative read as signed: before 1970 that way,
    // after 2038-01-19 read as unsigned (CustomDataRecord.h).
    std::size_t negativeTimes = 0;

    bool hasProblem() const { return duplicates != 0 || outOfOrder != 0 || trailingBytes != 0; }
};

// The report of a record file's bytes, with its times read as `reading` says.
RecordFileReport checkRecordBytes(std::string_view bytes, TimeReading reading);

// The records sorted by time (as `reading` reads them), one per time: of
// the records sharing a time, the one appended last (it stands last in the
// file). Bytes after the last whole record are left out.
std::string tidyRecordBytes(std::string_view bytes, TimeReading reading);

// Appends the record files `path` names: the file itself, or for a folder
// every .dat and .adt file (any letter case) in it and the folders below.
void collectRecordFiles(const std::string& path, std::vector<std::string>& paths,
                        const common::CodePage& codePage);

} // namespace importer
