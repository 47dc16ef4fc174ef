// The summaries and notes the commands print on stderr at their end.
#pragma once

#include "common/RegionalSettings.h"
#include "convert/ConvertRun.h"
#include "import/ImportCounts.h"

#include <string>
#include <vector>

namespace cli {

// "1 record", "2 records".
std::string counted(std::size_t count, const char* one, const char* many);

// import: 2 input files, 10 lines read, 6 records appended
// import: record files: 3 created, 2 extended
// import: lines skipped: 4 (no second tab 1, date not parsed 3)
// import: lines already in their record files: 3      (with skip-existing only)
// and, when no date parsed at all, the date format they are read with.
std::string importSummary(const importer::ImportCounts& counts, bool skipExisting,
                          const common::RegionalSettings& settings);

// convert: 2 files written, 3 rows each, 4 lines
// convert: lines left out: 2 code not SH or SZ, 0 value empty
std::string convertSummary(const std::vector<convert::WrittenFile>& written);

// "<command>: N record(s) dated before 1970; ...": dates from 2038 on are
// stored with the top bit set, as dates before 1970 are, so a reading as
// signed shows them as 1901 to 1969; the note says how to read them the
// other way. Empty when there is nothing to say.
std::string negativeTimesNote(const std::string& command, std::size_t records, bool readAsUnsigned);

} // namespace cli
