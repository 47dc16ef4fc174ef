// The workbook formats the data layer knows, and how a file finds its own.
// A new format is one more adapter in this folder and one more entry below.
#include "workbook/WorkbookFormat.h"

#include "common/Error.h"
#include "common/FileNames.h"
#include "common/FileSystem.h"
#include "common/FormatMessage.h"
#include "common/IoError.h"
#include "workbook/WorkbookMessages.h"
#include "workbook/formats/CsvFormat.h"
#include "workbook/formats/OdsFormat.h"
#include "workbook/formats/XlsFormat.h"
#include "workbook/formats/XlsxFormat.h"

#include <array>

namespace workbook {

namespace {

const XlsFormat kXls;
const OdsFormat kOds;
const XlsxFormat kXlsx;
const CsvFormat kCsv;
// The first is also the one a file goes to that no format recognises. An
// OpenDocument package is a zip package too: .ods comes before .xlsx.
const std::array<const WorkbookFormat*, 4> kFormats{&kXls, &kOds, &kXlsx, &kCsv};

[[noreturn]] void cannotOpen(const std::string& path, const std::string& reason)
{
    throw common::Error(common::formatMessage(kCannotOpenWorkbook, {path, reason}));
}

common::FileBytes readFile(const std::string& path)
{
    try {
        return common::readWholeFile(path);
    } catch (const common::Error& error) {
        const int code = error.ioCode();
        if (code == common::io::kFileNotFound || code == common::io::kPathNotFound)
            cannotOpen(path, kReasonMissing);
        cannotOpen(path, common::folderExists(path) ? kReasonFolder : kReasonUnreadable);
    }
}

} // namespace

const WorkbookFormat& formatFor(std::string_view path, std::string_view firstBytes,
                                const common::CodePage& codePage)
{
    for (const WorkbookFormat* format : kFormats)
        if (format->hasSignature(firstBytes))
            return *format;
    const std::string extension = common::extensionPart(path, codePage);
    for (const WorkbookFormat* format : kFormats)
        if (format->takesExtension(extension))
            return *format;
    return *kFormats.front();
}

std::unique_ptr<WorkbookFile> openWorkbookFile(const std::string& path, const common::CodePage& codePage,
                                               const common::RegionalSettings& settings)
{
    const common::FileBytes bytes = readFile(path);
    const WorkbookFormat& format = formatFor(path, bytes.view(), codePage);
    try {
        return format.open(path, bytes, codePage, settings);
    } catch (const common::Error& error) {
        cannotOpen(path, error.what());
    }
}

} // namespace workbook
