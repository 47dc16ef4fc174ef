#include "import/ImportCounts.h"

namespace importer {

std::size_t ImportCounts::faultyLines() const
{
    std::size_t total = 0;
    for (std::size_t reason = 0; reason < kSkipReasonCount; ++reason)
        if (static_cast<SkipReason>(reason) != SkipReason::AlreadyInRecordFile)
            total += skipped[reason];
    return total;
}

const char* skipReasonText(SkipReason reason)
{
    switch (reason) {
    case SkipReason::NoSecondTab:
        return "no second tab";
    case SkipReason::DateNotParsed:
        return "date not parsed";
    case SkipReason::DateOutOfRange:
        return "date out of range";
    case SkipReason::ValueNotNumber:
        return "value not a number";
    case SkipReason::LineTooLong:
        return "line too long";
    case SkipReason::AlreadyInRecordFile:
        break;
    }
    return "already in the record file";
}

} // namespace importer
