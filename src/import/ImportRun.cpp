#include "import/ImportRun.h"

#include "common/Encoding.h"
#include "common/FileNames.h"
#include "common/FileSystem.h"
#include "common/IoError.h"
#include "common/Text.h"
#include "common/TextFileReader.h"
#include "import/CustomDataFile.h"
#include "import/ImportTexts.h"
#include "import/QuoteTxtReader.h"

#include <stdexcept>
#include <string_view>

namespace importer {
namespace {

// The characters the data-name folder drops from the entry's name: the
// ".txt" of the files the list is filled with, whatever they are.
constexpr long long kDroppedNameTail = 4;

// A name that would leave the folder meant (a path delimiter, "." or "..")
// or that the system calls would cut short at a NUL byte is refused as the
// file system refuses "*" or "?" on Windows.
void checkEntryName(std::string_view name, const common::CodePage& codePage)
{
    if (name.find('\0') != std::string_view::npos || common::isUnsafeEntryName(name, codePage))
        throw common::ioError(common::io::kInvalidName);
}

// One run. Everything it holds is released when it goes away, also when an
// error ends the run.
class Run {
  public:
    Run(const ImportOptions& options, ImportHost& host) : m_options(options), m_host(host) {}

    void execute();

  private:
    void importEntry(std::size_t position);
    std::string prepareDataNameFolder(const std::string& entry);
    void importLine(std::string_view line, std::size_t lineNumber);
    bool isCurrentTarget(std::string_view code, std::string_view extension) const;
    void writeToNewTarget(std::string_view code, std::string_view extension, const CustomDataRecord& record);

    const ImportOptions& m_options;
    ImportHost& m_host;
    CustomDataFile m_file;
    std::string m_targetPrefix;    // folder + separator + data name + separator
    common::RecordFolder m_folder; // the folder m_targetPrefix names, held for the entry
    std::string m_currentName;     // code + extension of the current target; empty: none yet
    std::string m_line;            // these two are reused from line to line to spare
    std::string m_date;            // an allocation each
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
    m_file.close();
    m_host.progress(common::utf8ToCodePage(kConversionDone, codePage));
}

void Run::importEntry(std::size_t position)
{
    const std::string entry = m_host.entry(position);
    const std::string dataName = prepareDataNameFolder(entry);
    common::TextFileReader reader(entry);
    m_host.progress(common::utf8ToCodePage(kConvertingPrefix, m_options.codePage) + entry);
    m_currentName.clear();
    const char separator = common::pathSeparator();
    m_targetPrefix = m_options.customDataFolder + separator + dataName + separator;
    m_folder.open(m_targetPrefix);
    for (std::size_t lineNumber = 1; !reader.atEnd(); ++lineNumber) {
        m_host.beforeLine();
        if (reader.readLine(m_line, kMaxQuoteLineLength))
            importLine(m_line, lineNumber);
        else
            m_host.lineSkipped(SkipReason::LineTooLong, lineNumber);
    }
    reader.close();
}

// Makes the custom-data folder current and the data-name folder exist in it;
// relative entries and a relative folder text resolve from there on.
std::string Run::prepareDataNameFolder(const std::string& entry)
{
    const std::string name = common::namePart(entry, m_options.codePage);
    const std::string dataName =
        common::textCopy(name, 1, static_cast<long long>(name.size()) - kDroppedNameTail);
    common::changeCurrentFolder(m_options.customDataFolder);
    // Creating a folder of an empty name fails on Windows with "path not
    // found"; POSIX would call it a missing file, which misleads more.
    if (dataName.empty())
        throw common::ioError(common::io::kPathNotFound);
    checkEntryName(dataName, m_options.codePage);
    common::makeFolderUnlessPresent(dataName);
    return dataName;
}

void Run::importLine(std::string_view line, std::size_t lineNumber)
{
    const QuoteLineFields fields = splitQuoteLine(line);
    const std::string_view extension = extensionOf(m_host.target());
    // Without a second tab the date field is empty, and so no date: the
    // reason tells the two apart.
    if (!fields.hasSecondTab) {
        m_host.lineSkipped(SkipReason::NoSecondTab, lineNumber);
        return;
    }
    normalizeDateField(fields.date, m_date);
    const QuoteRecord parsed =
        parseQuoteRecord(m_date, fields.value, m_host.settings(), m_options.currentYear);
    if (parsed.skipped) {
        m_host.lineSkipped(*parsed.skipped, lineNumber);
        return;
    }
    if (m_file.isOpen() && isCurrentTarget(fields.code, extension)) {
        m_file.append(parsed.record);
        return;
    }
    writeToNewTarget(fields.code, extension, parsed.record);
}

// The target path is the entry's fixed prefix + code + extension, so within
// one entry comparing the file names compares the paths byte by byte.
bool Run::isCurrentTarget(std::string_view code, std::string_view extension) const
{
    return m_currentName.size() == code.size() + extension.size() && m_currentName.starts_with(code) &&
           m_currentName.ends_with(extension);
}

void Run::writeToNewTarget(std::string_view code, std::string_view extension, const CustomDataRecord& record)
{
    m_file.close();
    std::string name;
    name.append(code).append(extension);
    checkEntryName(name, m_options.codePage);
    m_file.openOrCreate(m_folder, name);
    m_file.append(record);
    m_currentName = std::move(name);
}

} // namespace

const char* extensionOf(ImportTarget target)
{
    return target == ImportTarget::DaZhiHui ? ".dat" : ".adt";
}

void runImport(const ImportOptions& options, ImportHost& host)
{
    // A caller that forgot the year would have two-digit years placed in
    // the wrong century without a word; refuse it outright.
    if (options.currentYear < 1 || options.currentYear > 9999)
        throw std::invalid_argument("runImport: ImportOptions::currentYear must be set");
    Run run(options, host);
    run.execute();
}

} // namespace importer
