// The headless import run as the import benchmarks time it: the engine over
// a fixed list, into 飞狐交易师 files, with the settings the generated input
// is written for.
#pragma once

#include "common/RegionalSettings.h"

#include <string>
#include <vector>

namespace bench {

// Dates as the generated input writes them: yyyy/M/d.
common::RegionalSettings importInputSettings();

// Runs the import engine over `entries` into `folder`; a message the engine
// shows is printed, as no one is there to see a box. `skipExisting` leaves
// out lines whose time the record file holds (import --skip-existing).
void runImportEngine(const std::vector<std::string>& entries, const std::string& folder,
                     bool skipExisting = false);

} // namespace bench
