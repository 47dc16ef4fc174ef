#include "xlswrite/XlsWriter.h"

#include "common/Error.h"
#include "common/FileNames.h"
#include "common/FileRead.h"
#include "common/FileReplace.h"
#include "common/FileSystem.h"
#include "common/FormatMessage.h"
#include "common/IoError.h"
#include "xls/CompoundFile.h"
#include "xlswrite/CompoundFileWriter.h"
#include "xlswrite/WriteCheck.h"
#include "xlswrite/WriteMessages.h"

namespace xlswrite {

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
std::string lockFileOf(const std::string& path, const common::CodePage& codePage)
{
    return common::folderPart(path, codePage) + ".~lock." + common::namePart(path, codePage) + "#";
}

// Read-only files are refused even where the replace would get past them (a
// rename needs only the folder's permission, and root may write anything).
void checkWritable(const std::string& path, const common::CodePage& codePage)
{
    if (common::isReadOnlyFile(path))
        refuse(kWriteReasonReadOnly);
    if (common::fileExists(lockFileOf(path, codePage)))
        refuse(kWriteReasonInUse);
    if (const std::optional<common::ReplaceFailure> failure = common::checkReplaceable(path))
        refuse(failure->code == common::io::kAccessDenied
                   ? std::string(kWriteReasonReadOnly)
                   : common::formatMessage(kWriteReasonUnwritable, {failure->text}));
}

common::FileBytes readOriginal(const std::string& path)
{
    try {
        return common::readWholeFile(path);
    } catch (const common::Error& error) {
        refuse(common::formatMessage(kWriteReasonUnwritable, {error.systemText()}));
    }
}

// The reason for a replace that failed: the written copy was never renamed
// over the original, which is as it was.
std::string reasonOf(const common::ReplaceFailure& failure)
{
    using Step = common::ReplaceFailure::Step;
    switch (failure.step) {
    case Step::Target:
        return failure.code == common::io::kAccessDenied
                   ? std::string(kWriteReasonReadOnly)
                   : common::formatMessage(kWriteReasonUnwritable, {failure.text});
    case Step::Temporary:
    case Step::Write:
        return common::formatMessage(kWriteReasonNoTemporary, {failure.text});
    case Step::Check:
        return common::formatMessage(kWriteReasonCheckFailed, {failure.text});
    case Step::Rename:
        break;
    }
    return common::formatMessage(kWriteReasonUnwritable, {failure.text});
}

void write(const std::string& path, std::size_t sheetIndex, const std::string& sheetName,
           const std::vector<table::CellWrite>& cells, const common::CodePage& codePage)
{
    checkWritable(path, codePage);
    const common::FileBytes file = readOriginal(path);
    const std::string_view original = file.view();
    std::size_t entry = 0;
    const std::string stream = workbookStreamOf(original, true, &entry);
    const std::string newStream = writeCellsToStream(stream, sheetIndex, sheetName, cells, codePage);
    const xls::CompoundFile compound(original);
    const std::string bytes = rewriteCompoundFile(compound, original, entry, newStream);
    // The copy on the disk, read back with the reader, must hold every cell
    // of the original and the posted ones before it takes the original's place.
    common::ReplaceOptions options;
    options.check = [&](std::string_view written) {
        return differenceAfterWrite(original, written, sheetIndex, cells, codePage);
    };
    if (const std::optional<common::ReplaceFailure> failure = common::replaceFile(path, bytes, options))
        refuse(reasonOf(*failure));
}

} // namespace

void writeCellsToFile(const std::string& path, std::size_t sheetIndex, const std::string& sheetName,
                      const std::vector<table::CellWrite>& cells, const common::CodePage& codePage)
{
    try {
        write(path, sheetIndex, sheetName, cells, codePage);
    } catch (const Refusal& refusal) {
        throw common::Error(common::formatMessage(kCannotWriteWorkbook, {path, refusal.reason}));
    } catch (const common::Error& error) {
        throw common::Error(common::formatMessage(kCannotWriteWorkbook, {path, error.what()}));
    } catch (const std::bad_alloc&) {
        throw common::Error(
            common::formatMessage(kCannotWriteWorkbook, {path, "there is not enough memory"}));
    }
}

} // namespace xlswrite
