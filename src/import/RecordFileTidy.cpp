#include "import/RecordFileTidy.h"

#include "common/ErrorWhere.h"
#include "common/FileRead.h"
#include "common/FileReplace.h"
#include "common/FileStamp.h"
#include "common/IoError.h"

#include <optional>

namespace importer {
namespace {

using Action = common::ErrorWhere::Action;
const std::string kNone;

void replace(const std::string& path, const std::string& bytes, const std::optional<common::FileStamp>& read)
{
    // Two tidies of one folder take turns; an import appending meanwhile
    // takes no such lock, and is caught by the stamp instead: its records
    // would be lost under the rename.
    const common::ReplaceLock lock(path);
    common::ReplaceOptions options;
    options.check = [&](std::string_view) -> std::optional<std::string> {
        if (common::stampOf(path) != read)
            return std::string(kRecordFileChanged);
        return std::nullopt;
    };
    const std::optional<common::ReplaceFailure> failure = common::replaceFile(path, bytes, options);
    if (!failure)
        return;
    if (failure->step == common::ReplaceFailure::Step::Check)
        throw common::Error(failure->text);
    throw common::ioError(failure->code, failure->text);
}

} // namespace

TidyOutcome tidyRecordFile(const std::string& path, TimeReading reading, bool dryRun)
{
    // The stamp is taken before the read, so that a write at any moment
    // after it shows.
    const std::optional<common::FileStamp> stamp = common::stampOf(path);
    const common::FileBytes file =
        common::attempt(kNone, 0, Action::Read, path, [&] { return common::readWholeFile(path); });
    TidyOutcome outcome;
    outcome.before = checkRecordBytes(file.view(), reading);
    outcome.recordsAfter = outcome.before.records - outcome.before.duplicates;
    outcome.changed = outcome.before.hasProblem();
    if (!outcome.changed || dryRun)
        return outcome;
    const std::string tidy = tidyRecordBytes(file.view(), reading);
    common::attempt(kNone, 0, Action::Write, path, [&] { replace(path, tidy, stamp); });
    return outcome;
}

} // namespace importer
