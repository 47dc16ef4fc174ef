#include "import/ImportRun.h"

#include "common/Encoding.h"
#include "common/ErrorWhere.h"
#include "common/FileNames.h"
#include "common/FileSystem.h"
#include "common/IoError.h"
#include "common/Text.h"
#include "common/TextFileReader.h"
#include "import/CustomDataFile.h"
#include "import/ImportTexts.h"
#include "import/QuoteTxtReader.h"
#include "import/RecordTimes.h"

#include <stdexcept>
#include <string_view>
#include <unordered_map>

namespace importer {
namespace {

using Action = common::ErrorWhere::Action;

// The characters the data-name folder drops from the entry's name: the
// ".txt" of the files the list is filled with, whatever they are.
constexpr long long kDroppedNameTail = 4;

const std::string kNoTarget;

// A name that would leave the folder meant (a path delimiter, "." or "..")
// or that the system calls would cut short at a NUL byte is refused as the
// file system refuses "*" or "?" on Windows.
void checkEntryName(std::string_view name, const common::CodePage& codePage)
{
    if (name.find('\0') != std::string_view::npos || common::isUnsafeEntryName(name, codePage))
        throw common::ioError(common::io::kInvalidName);
}

// One run. Everything it holds is released when it goes away, also when an
// error ends the run. An error leaves with where it happened: the entry, the
// line, and the file or folder the failing step worked on.
class Run {
  public:
    Run(const ImportOptions& options, ImportHost& host, ImportCounts& counts)
        : m_options(options), m_host(host), m_counts(counts)
    {
    }

    void execute();

  private:
    void importEntry(std::size_t position);
    std::string prepareDataNameFolder();
    void importLine(std::string_view line);
    bool isCurrentTarget(std::string_view code, std::string_view extension) const;
    void openTarget(std::string_view code, std::string_view extension);
    void append(const CustomDataRecord& record);
    void skip(SkipReason reason);

    const ImportOptions& m_options;
    ImportHost& m_host;
    ImportCounts& m_counts;
    CustomDataFile m_file;
    std::string m_entry;
    std::size_t m_lineNumber = 0;
    std::string m_targetPrefix;    // folder + separator + data name + separator
    common::RecordFolder m_folder; // the folder m_targetPrefix names, held for the entry
    std::string m_currentName;     // code + extension of the current target; empty: none yet
    std::string m_line;            // these two are reused from line to line to spare
    std::string m_date;            // an allocation each
    // Every record file the run has opened, by path: whether it has been
    // counted yet (as made by the run, or as extended on its first record).
    std::unordered_map<std::string, bool> m_counted;
    bool* m_currentCounted = nullptr;
    RecordTimes m_times;     // with skipExisting: the current target's times
    std::string m_fileBytes; // and the buffer they are read through
};

void Run::execute()
{
    const common::CodePage& codePage = m_options.codePage;
    if (!common::folderExists(m_options.customDataFolder)) {
        m_host.message(common::utf8ToCodePage(kCustomDataFolderMissing, codePage));
        return;
    }
    const std::size_t count = m_host.entryCount();
    for (std::size_t position = 0; position < count; ++position)
        importEntry(position);
    common::attempt(kNoTarget, 0, Action::Close, m_file.path(), [&] { m_file.close(); });
    m_host.progress(common::utf8ToCodePage(kConversionDone, codePage));
}

void Run::importEntry(std::size_t position)
{
    m_entry = m_host.entry(position);
    m_lineNumber = 0;
    const std::string dataName = prepareDataNameFolder();
    common::TextFileReader reader =
        common::attempt(kNoTarget, 0, Action::Open, m_entry, [&] { return common::TextFileReader(m_entry); });
    ++m_counts.inputFiles;
    m_host.progress(common::utf8ToCodePage(kConvertingPrefix, m_options.codePage) + m_entry);
    m_currentName.clear();
    const char separator = common::pathSeparator();
    m_targetPrefix = m_options.customDataFolder + separator + dataName + separator;
    common::attempt(m_entry, 0, Action::Open, m_targetPrefix, [&] { m_folder.open(m_targetPrefix); });
    for (m_lineNumber = 1; !reader.atEnd(); ++m_lineNumber) {
        m_host.beforeLine();
        ++m_counts.linesRead;
        if (common::attempt(m_entry, m_lineNumber, Action::Read, kNoTarget,
                            [&] { return reader.readLine(m_line, kMaxQuoteLineLength); }))
            importLine(m_line);
        else
            skip(SkipReason::LineTooLong);
    }
    common::attempt(kNoTarget, 0, Action::Close, m_entry, [&] { reader.close(); });
}

// Makes the custom-data folder current and the data-name folder exist in it;
// relative entries and a relative folder text resolve from there on.
std::string Run::prepareDataNameFolder()
{
    const std::string name = common::namePart(m_entry, m_options.codePage);
    const std::string dataName =
        common::textCopy(name, 1, static_cast<long long>(name.size()) - kDroppedNameTail);
    const std::string& folder = m_options.customDataFolder;
    common::attempt(m_entry, 0, Action::EnterFolder, folder, [&] { common::changeCurrentFolder(folder); });
    const std::string path = folder + common::pathSeparator() + dataName;
    common::attempt(m_entry, 0, Action::MakeFolder, path, [&] {
        // Creating a folder of an empty name fails on Windows with "path
        // not found"; POSIX would call it a missing file, which misleads more.
        if (dataName.empty())
            throw common::ioError(common::io::kPathNotFound);
        checkEntryName(dataName, m_options.codePage);
        common::makeFolderUnlessPresent(dataName);
    });
    return dataName;
}

void Run::importLine(std::string_view line)
{
    const QuoteLineFields fields = splitQuoteLine(line);
    const std::string_view extension = extensionOf(m_host.target());
    // Without a second tab the date field is empty, and so no date: the
    // reason tells the two apart.
    if (!fields.hasSecondTab) {
        skip(SkipReason::NoSecondTab);
        return;
    }
    normalizeDateField(fields.date, m_date);
    const QuoteRecord parsed = common::attempt(m_entry, m_lineNumber, Action::None, kNoTarget, [&] {
        return parseQuoteRecord(m_date, fields.value, m_host.settings(), m_options.currentYear);
    });
    if (parsed.skipped) {
        skip(*parsed.skipped);
        return;
    }
    if (!m_file.isOpen() || !isCurrentTarget(fields.code, extension))
        openTarget(fields.code, extension);
    if (m_options.skipExisting && m_times.contains(parsed.record.time)) {
        skip(SkipReason::AlreadyInRecordFile);
        return;
    }
    append(parsed.record);
}

// The target path is the entry's fixed prefix + code + extension, so within
// one entry comparing the file names compares the paths byte by byte.
bool Run::isCurrentTarget(std::string_view code, std::string_view extension) const
{
    return m_currentName.size() == code.size() + extension.size() && m_currentName.starts_with(code) &&
           m_currentName.ends_with(extension);
}

void Run::openTarget(std::string_view code, std::string_view extension)
{
    common::attempt(m_entry, m_lineNumber, Action::Close, m_file.path(), [&] { m_file.close(); });
    m_currentName.clear();
    std::string name;
    name.append(code).append(extension);
    try {
        checkEntryName(name, m_options.codePage);
        m_file.openOrCreate(m_folder, name);
    } catch (common::Error& error) {
        error.setWhere({m_entry, m_lineNumber, Action::Open, m_targetPrefix + name});
        throw;
    }
    m_currentName = std::move(name);
    m_currentCounted = &m_counted.try_emplace(m_file.path(), m_file.created()).first->second;
    if (m_file.created())
        ++m_counts.recordFilesCreated;
    if (!m_options.skipExisting)
        return;
    if (m_file.created()) {
        m_times.clear();
        return;
    }
    common::attempt(m_entry, m_lineNumber, Action::Read, m_file.path(), [&] { m_file.readAll(m_fileBytes); });
    m_times.assign(m_fileBytes);
}

void Run::append(const CustomDataRecord& record)
{
    common::attempt(m_entry, m_lineNumber, Action::Append, m_file.path(), [&] { m_file.append(record); });
    ++m_counts.recordsAppended;
    if (!*m_currentCounted) {
        *m_currentCounted = true;
        ++m_counts.recordFilesExtended;
    }
    if (m_options.skipExisting)
        m_times.add(record.time);
}

void Run::skip(SkipReason reason)
{
    ++m_counts.skipped[static_cast<std::size_t>(reason)];
    m_host.lineSkipped(reason, m_lineNumber);
}

} // namespace

const char* extensionOf(ImportTarget target)
{
    return target == ImportTarget::DaZhiHui ? ".dat" : ".adt";
}

void runImport(const ImportOptions& options, ImportHost& host)
{
    ImportCounts counts;
    runImport(options, host, counts);
}

void runImport(const ImportOptions& options, ImportHost& host, ImportCounts& counts)
{
    // A caller that forgot the year would have two-digit years placed in
    // the wrong century without a word; refuse it outright.
    if (options.currentYear < 1 || options.currentYear > 9999)
        throw std::invalid_argument("runImport: ImportOptions::currentYear must be set");
    Run run(options, host, counts);
    run.execute();
}

} // namespace importer
