// The bodies of `tarnvale-cli import` and `tarnvale-cli dump`.
#pragma once

#include "cli/Cli.h"

#include <string>
#include <vector>

namespace cli {

struct ImportArguments {
    std::string folder;
    std::string target = "adt"; // the window's default item, 飞狐交易师
    std::vector<std::string> scanFolders;
    std::vector<std::string> files;
};

// The files in the order given, then each scanned folder's text files, run
// through the import engine. Relative paths are made absolute first, because
// the run makes the custom-data folder the current one.
int runImportCommand(const ImportArguments& arguments, CliContext& context);

// One line per record: time, TAB, that time as YYYY-MM-DD HH:MM:SS, TAB, the
// value as the shortest text that reads back as the same float.
int runDumpCommand(const std::vector<std::string>& files, CliContext& context);

// One dump line (without the line break).
std::string dumpLine(std::int32_t time, float value);

} // namespace cli
