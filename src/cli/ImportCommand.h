// The bodies of `tarnvale-cli import` and `tarnvale-cli dump`.
#pragma once

#include "cli/Cli.h"
#include "import/CustomDataRecord.h"

#include <cstdint>
#include <string>
#include <vector>

namespace cli {

struct ImportArguments {
    std::string folder;
    std::string target = "adt"; // the window's default item, 飞狐交易师
    std::vector<std::string> scanFolders;
    std::vector<std::string> files;
    bool skipExisting = false;
    bool verbose = false; // every skipped line, the first 20 of each reason
    bool strict = false;  // exit 3 when a line was skipped for what it holds
    bool quiet = false;   // errors only
};

// The files in the order given, then each scanned folder's text files, run
// through the import engine. Relative paths are made absolute first, because
// the run makes the custom-data folder the current one. A missing file or
// scan folder stops the command before anything is imported.
int runImportCommand(const ImportArguments& arguments, CliContext& context);

// One line per record: time, TAB, that time as YYYY-MM-DD HH:MM:SS, TAB, the
// value as the shortest text that reads back as the same float. Times are
// read as `reading` says (signed unless --unsigned).
int runDumpCommand(const std::vector<std::string>& files, importer::TimeReading reading, CliContext& context);

// One dump line (without the line break).
std::string dumpLine(std::int32_t time, float value,
                     importer::TimeReading reading = importer::TimeReading::Signed);

} // namespace cli
