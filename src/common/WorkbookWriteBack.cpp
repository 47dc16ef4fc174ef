#include "common/WorkbookWriteBack.h"

#include "common/Error.h"
#include "common/FileNames.h"
#include "common/FileRead.h"
#include "common/FileReplace.h"
#include "common/FileSystem.h"
#include "common/FormatMessage.h"
#include "common/IoError.h"

#include <new>

namespace common {

namespace {

// The reason a write failed; turned into the one user message at the top.
struct Refusal {
    std::string reason;
};

[[noreturn]] void refuse(const std::string& reason)
{
    throw Refusal{reason};
}

// LibreOffice marks a workbook it has open with a lock file beside it.
std::string lockFileOf(const std::string& path, const CodePage& codePage)
{
    return folderPart(path, codePage) + ".~lock." + namePart(path, codePage) + "#";
}

// Read-only files are refused even where the replace would get past them (a
// rename needs only the folder's permission, and root may write anything).
void checkWritable(const std::string& path, const CodePage& codePage)
{
    if (isReadOnlyFile(path))
        refuse(kWriteReasonReadOnly);
    if (fileExists(lockFileOf(path, codePage)))
        refuse(kWriteReasonInUse);
    if (const std::optional<ReplaceFailure> failure = checkReplaceable(path))
        refuse(failure->code == io::kAccessDenied ? std::string(kWriteReasonReadOnly)
                                                  : formatMessage(kWriteReasonUnwritable, {failure->text}));
}

FileBytes readOriginal(const std::string& path)
{
    try {
        return readWholeFile(path);
    } catch (const Error& error) {
        refuse(formatMessage(kWriteReasonUnwritable, {error.systemText()}));
    }
}

// The reason for a replace that failed: the written copy was never renamed
// over the original, which is as it was.
std::string reasonOf(const ReplaceFailure& failure)
{
    using Step = ReplaceFailure::Step;
    switch (failure.step) {
    case Step::Target:
        return failure.code == io::kAccessDenied ? std::string(kWriteReasonReadOnly)
                                                 : formatMessage(kWriteReasonUnwritable, {failure.text});
    case Step::Temporary:
    case Step::Write:
        return formatMessage(kWriteReasonNoTemporary, {failure.text});
    case Step::Check:
        return formatMessage(kWriteReasonCheckFailed, {failure.text});
    case Step::Rename:
        break;
    }
    return formatMessage(kWriteReasonUnwritable, {failure.text});
}

void write(const std::string& path, const CodePage& codePage, const WorkbookRewrite& rewrite)
{
    checkWritable(path, codePage);
    const FileBytes file = readOriginal(path);
    const std::string_view original = file.view();
    const std::string bytes = rewrite.make(original);
    // The copy on the disk, read back with the reader, must hold every cell
    // of the original and the posted ones before it takes the original's place.
    ReplaceOptions options;
    options.check = [&](std::string_view written) { return rewrite.check(original, written); };
    if (const std::optional<ReplaceFailure> failure = replaceFile(path, bytes, options))
        refuse(reasonOf(*failure));
}

} // namespace

void rewriteWorkbookFile(const std::string& path, const CodePage& codePage, const WorkbookRewrite& rewrite)
{
    try {
        write(path, codePage, rewrite);
    } catch (const Refusal& refusal) {
        throw Error(formatMessage(kCannotWriteWorkbook, {path, refusal.reason}));
    } catch (const Error& error) {
        throw Error(formatMessage(kCannotWriteWorkbook, {path, error.what()}));
    } catch (const std::bad_alloc&) {
        throw Error(formatMessage(kCannotWriteWorkbook, {path, "there is not enough memory"}));
    }
}

} // namespace common
