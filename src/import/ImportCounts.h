// What an import run did, counted as it goes: for a summary at its end, also
// after an error ended it.
#pragma once

#include "import/QuoteTxtReader.h"

#include <array>
#include <cstddef>

namespace importer {

struct ImportCounts {
    std::size_t inputFiles = 0; // text files opened
    std::size_t linesRead = 0;
    std::size_t recordsAppended = 0;
    std::size_t recordFilesCreated = 0;                  // made by the run
    std::size_t recordFilesExtended = 0;                 // there before, and given at least one record
    std::array<std::size_t, kSkipReasonCount> skipped{}; // by SkipReason

    std::size_t skippedFor(SkipReason reason) const { return skipped[static_cast<std::size_t>(reason)]; }
    // Lines skipped for what they hold: every reason but AlreadyInRecordFile.
    std::size_t faultyLines() const;
};

// "no second tab", "date not parsed", ...: the reason as a summary names it.
const char* skipReasonText(SkipReason reason);

} // namespace importer
