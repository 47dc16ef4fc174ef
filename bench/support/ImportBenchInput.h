// Realistic input for the import benchmark: the text files the conversion
// writes, in the two shapes users feed the import.
#pragma once

#include <string>
#include <vector>

namespace bench {

struct ImportInput {
    // 20 daily files of 5000 lines, one stock per line: every line goes to
    // another record file.
    std::vector<std::string> dailyFiles;
    // A back-fill of 250 files for one data name, each holding the history
    // of a few stocks with the lines of one stock in a row.
    std::vector<std::string> backfillFiles;
    std::size_t dailyLines = 0;
    std::size_t backfillLines = 0;
};

// Writes the files below `folder` unless they are there already (they are
// kept between runs) and lists them.
ImportInput prepareImportInput(const std::string& folder);

// Days of daily files, each day new to record files that hold the days
// before it: `sets` sets of `daysPerSet` daily files (5000 lines, one stock
// a line, data name PE), no day in two sets. Kept between runs like the above.
std::vector<std::vector<std::string>> prepareNewDays(const std::string& folder, int sets, int daysPerSet);

// Makes every record file the daily files go to (folder/PE/<code>.adt) hold
// `days` records of the days before the first new day, whatever it held.
void writeHistory(const std::string& folder, int days);

} // namespace bench
