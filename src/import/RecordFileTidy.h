// Tidying a record file: its records sorted by time, one per time (the one
// appended last), no bytes after the last whole record. For users whose
// analysis program shows a day twice after a day was imported twice.
#pragma once

#include "import/RecordFileCheck.h"

#include <string>

namespace importer {

// The message of a record file that changed while it was being tidied.
inline constexpr const char* kRecordFileChanged =
    "the file changed while it was being tidied (another program wrote to it); it was left as it was";

struct TidyOutcome {
    RecordFileReport before;
    std::size_t recordsAfter = 0;
    bool changed = false; // the file needs a change (and, unless a dry run, got it)
};

// Tidies the record file at `path`, its times read as `reading` says. A file
// without a problem is left alone. The new bytes go through a temporary file
// beside it that takes its name, permissions and owner in one rename
// (common/FileReplace.h), so that nothing is lost on any failure. A file
// another program writes to meanwhile is left as it was (kRecordFileChanged),
// as far as it is seen before the rename: an import that holds the file open
// across the rename appends to the old file after it (imports take no lock,
// which would cost each record file they open a system call).
// With `dryRun` nothing is written. Throws common::Error with where it
// happened (cannot read, cannot write); the file is then as it was.
TidyOutcome tidyRecordFile(const std::string& path, TimeReading reading, bool dryRun);

} // namespace importer
