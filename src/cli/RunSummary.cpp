#include "cli/RunSummary.h"

namespace cli {

std::string counted(std::size_t count, const char* one, const char* many)
{
    return std::to_string(count) + ' ' + (count == 1 ? one : many);
}

std::string importSummary(const importer::ImportCounts& counts, bool skipExisting,
                          const common::RegionalSettings& settings)
{
    using importer::SkipReason;
    std::string text = "import: " + counted(counts.inputFiles, "input file", "input files") + ", " +
                       counted(counts.linesRead, "line", "lines") + " read, " +
                       counted(counts.recordsAppended, "record", "records") + " appended\n";
    text += "import: record files: " + std::to_string(counts.recordFilesCreated) + " created, " +
            std::to_string(counts.recordFilesExtended) + " extended\n";
    text += "import: lines skipped: " + std::to_string(counts.faultyLines());
    std::string reasons;
    for (std::size_t reason = 0; reason < importer::kSkipReasonCount; ++reason) {
        const auto skipReason = static_cast<SkipReason>(reason);
        if (skipReason == SkipReason::AlreadyInRecordFile || counts.skipped[reason] == 0)
            continue;
        reasons += (reasons.empty() ? "" : ", ") + std::string(importer::skipReasonText(skipReason)) + ' ' +
                   std::to_string(counts.skipped[reason]);
    }
    text += reasons.empty() ? "\n" : " (" + reasons + ")\n";
    if (skipExisting)
        text += "import: lines already in their record files: " +
                std::to_string(counts.skippedFor(SkipReason::AlreadyInRecordFile)) + '\n';
    // When no date parsed at all, the locale's dates mostly run in another
    // order or with another separator than the files' 2024-01-05. (A line
    // whose value was no number, or whose date was out of range, had a
    // date that parsed.)
    const std::size_t datesParsed =
        counts.recordsAppended + counts.skippedFor(SkipReason::AlreadyInRecordFile) +
        counts.skippedFor(SkipReason::ValueNotNumber) + counts.skippedFor(SkipReason::DateOutOfRange);
    if (counts.skippedFor(SkipReason::DateNotParsed) != 0 && datesParsed == 0)
        text += "import: dates are read with the locale's short date format " + settings.shortDateFormat +
                " and separator " + settings.dateSeparator +
                " (LC_TIME); lines dated 2024-01-05 need a year-month-day order, as under zh_CN\n";
    return text;
}

std::string convertSummary(const std::vector<convert::WrittenFile>& written)
{
    std::size_t lines = 0;
    std::size_t withoutMarket = 0;
    std::size_t emptyValue = 0;
    for (const convert::WrittenFile& file : written) {
        lines += file.lineCount;
        withoutMarket += file.rowsWithoutMarket;
        emptyValue += file.rowsWithEmptyValue;
    }
    const std::size_t rows = written.empty() ? 0
                                             : written.front().lineCount + written.front().rowsWithoutMarket +
                                                   written.front().rowsWithEmptyValue;
    return "convert: " + counted(written.size(), "file", "files") + " written, " +
           counted(rows, "row", "rows") + " each, " + counted(lines, "line", "lines") + "\n" +
           "convert: lines left out: " + std::to_string(withoutMarket) + " code not SH or SZ, " +
           std::to_string(emptyValue) + " value empty\n";
}

std::string negativeTimesNote(const std::string& command, std::size_t records, bool readAsUnsigned)
{
    if (records == 0 || readAsUnsigned)
        return {};
    return command + ": " + counted(records, "record", "records") +
           " dated before 1970; if they are meant to be 2038 or later, --unsigned reads them so\n";
}

} // namespace cli
