#include "workbook/Workbook.h"

#include "common/Error.h"
#include "workbook/BiffText.h"
#include "workbook/CompoundFile.h"
#include "workbook/SheetTable.h"
#include "workbook/WorkbookGlobals.h"
#include "workbook/WorkbookMessages.h"

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>

namespace workbook {

namespace {

[[noreturn]] void cannotOpen(const std::string& path, const std::string& reason)
{
    throw common::Error(formatMessage(kCannotOpenWorkbook, {path, reason}));
}

std::string readWholeFile(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        cannotOpen(path, errno == ENOENT || errno == ENOTDIR ? kReasonMissing : kReasonUnreadable);
    if (S_ISDIR(info.st_mode))
        cannotOpen(path, kReasonFolder);
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        cannotOpen(path, kReasonUnreadable);
    std::string bytes;
    bytes.resize(static_cast<std::size_t>(info.st_size));
    const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), file);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed)
        cannotOpen(path, kReasonUnreadable);
    bytes.resize(got);
    return bytes;
}

// The BIFF8 stream is "Workbook"; Excel 5.0/95 files call it "Book".
std::string workbookStream(std::string bytes)
{
    const CompoundFile file(std::move(bytes));
    auto entry = file.findStream(u"Workbook");
    if (!entry)
        entry = file.findStream(u"Book");
    if (!entry)
        throw common::Error(kReasonNoWorkbookStream);
    return file.readStream(*entry);
}

} // namespace

std::shared_ptr<Workbook> Workbook::open(const std::string& path, const common::CodePage& codePage,
                                         const common::RegionalSettings& settings)
{
    return fromBytes(readWholeFile(path), path, codePage, settings);
}

std::shared_ptr<Workbook> Workbook::fromBytes(std::string bytes, const std::string& path,
                                              const common::CodePage& codePage,
                                              const common::RegionalSettings& settings)
{
    std::shared_ptr<Workbook> workbook(new Workbook());
    try {
        workbook->load(std::move(bytes), codePage, settings);
    } catch (const common::Error& error) {
        cannotOpen(path, error.what());
    } catch (const std::bad_alloc&) {
        cannotOpen(path, formatMessage(kReasonBadRecord, {"it asks for more memory than there is"}));
    }
    return workbook;
}

void Workbook::load(std::string bytes, const common::CodePage& codePage, const common::RegionalSettings& settings)
{
    const std::string stream = workbookStream(std::move(bytes));
    TextDecoder decoder(codePage);
    WorkbookGlobals globals = readGlobals(stream, decoder);
    m_biffVersion = globals.biffVersion;
    const std::size_t sharedStrings = globals.sharedStrings.size();
    m_texts = std::move(globals.sharedStrings);
    const SheetContext context{stream, globals, decoder, m_texts, sharedStrings};
    for (const SheetEntry& entry : globals.sheets) {
        if (!entry.isWorksheet)
            continue;
        Sheet sheet;
        sheet.name = entry.name;
        sheet.hidden = entry.hidden;
        sheet.table = loadSheetTable(context, entry.offset, m_texts, settings);
        m_sheets.push_back(std::move(sheet));
    }
}

} // namespace workbook
