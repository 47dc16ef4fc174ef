#include "convert/ConvertRun.h"

#include "common/Encoding.h"
#include "common/ErrorWhere.h"
#include "common/FileNames.h"
#include "common/FileSystem.h"
#include "common/Text.h"
#include "convert/ColumnMapping.h"
#include "convert/ConvertTexts.h"
#include "convert/NormalizeStockCode.h"
#include "convert/QuoteTxtFile.h"
#include "convert/RowSource.h"

#include <charconv>

namespace convert {
namespace {

// Switches the preview's data source back on however the run ends.
class DataSourceOff {
  public:
    explicit DataSourceOff(ConvertHost& host) : m_host(host) { m_host.setDataSourceEnabled(false); }
    ~DataSourceOff()
    {
        try {
            m_host.setDataSourceEnabled(true);
        } catch (...) {
            // The host promises not to throw; an exception here would
            // replace the one that is ending the run.
        }
    }
    DataSourceOff(const DataSourceOff&) = delete;
    DataSourceOff& operator=(const DataSourceOff&) = delete;

  private:
    ConvertHost& m_host;
};

std::string joinPath(std::string folder, const std::string& name)
{
    if (folder.empty() || folder.back() != common::pathSeparator())
        folder += common::pathSeparator();
    return folder + name;
}

// Each mapping enters the save folder anew while the previous one has left
// the process in its date folder, so a relative save folder would move
// deeper with every mapping: anchor it once, where the user was.
std::string anchoredSaveFolder(const std::string& saveFolder)
{
    return common::fullPathName(saveFolder);
}

struct RunContext {
    const ConvertOptions& options;
    RowSource& rows;
    ConvertHost& host;
    std::string saveFolder;
    std::string dateText;
    std::string codeColumn;
    std::string progressPrefix;
    std::string progressSuffix;
    // "CODE TAB date text TAB" of every row, empty for a row whose code has
    // no market: the same for every mapping, so worked out by the first one.
    std::vector<std::string> lineHeads;
    bool lineHeadsComplete = false;
};

// The row's line head, from the cache once the first mapping has filled it.
const std::string& lineHead(RunContext& run, std::size_t row, std::size_t codeField)
{
    if (run.lineHeadsComplete)
        return run.lineHeads[row];
    const std::string code = NormalizeStockCode(run.rows.cellText(codeField));
    run.lineHeads.push_back(hasMarketPrefix(code) ? quoteLine(code, run.dateText, std::string_view())
                                                  : std::string());
    return run.lineHeads.back();
}

std::vector<std::string> collectLines(RunContext& run, const ColumnMapping& mapping, WrittenFile& counts)
{
    std::vector<std::string> lines;
    // One buffer for the progress text of every row: the count is the only
    // part that changes, and a text built anew per row would cost as much as
    // the rest of the row's work.
    std::string progressText = run.progressPrefix + mapping.column + run.progressSuffix;
    const std::size_t progressHeadSize = progressText.size();
    char digits[24];
    // Both fields are found at the first row, so a sheet without rows never
    // asks for them. The row source stays unchanged for the whole run, so the
    // indexes found there hold for every later row, and the codes read by the
    // first mapping hold for every later one.
    bool fieldsFound = false;
    std::size_t codeField = 0;
    std::size_t valueField = 0;
    std::size_t row = 0;
    if (run.lineHeadsComplete)
        lines.reserve(run.lineHeads.size());
    run.rows.first();
    while (!run.rows.eof()) {
        run.host.beforeRow();
        if (!fieldsFound) {
            codeField = run.rows.fieldIndex(run.codeColumn);
            valueField = run.rows.fieldIndex(mapping.column);
            fieldsFound = true;
        }
        const std::string& head = lineHead(run, row++, codeField);
        if (!head.empty()) {
            const std::string value = run.rows.cellText(valueField);
            if (!value.empty())
                lines.push_back(head + value);
            else
                ++counts.rowsWithEmptyValue;
        } else {
            ++counts.rowsWithoutMarket;
        }
        const auto end = std::to_chars(digits, digits + sizeof digits, lines.size()).ptr;
        progressText.resize(progressHeadSize);
        progressText.append(digits, end);
        run.host.progress(progressText);
        run.rows.next();
    }
    run.lineHeadsComplete = true;
    return lines;
}

void saveLines(RunContext& run, const ColumnMapping& mapping, const std::vector<std::string>& lines,
               WrittenFile& file)
{
    using Action = common::ErrorWhere::Action;
    const std::string none;
    const std::string dateFolder = joinPath(run.saveFolder, run.dateText);
    file.path = joinPath(dateFolder, mapping.customDataName + std::string(kQuoteTxtExtension));
    common::attempt(none, 0, Action::EnterFolder, run.saveFolder,
                    [&] { common::changeCurrentFolder(run.saveFolder); });
    common::attempt(none, 0, Action::MakeFolder, dateFolder,
                    [&] { common::makeFolderUnlessPresent(run.dateText); });
    common::attempt(none, 0, Action::EnterFolder, dateFolder,
                    [&] { common::changeCurrentFolder(run.dateText); });
    common::attempt(none, 0, Action::Write, file.path,
                    [&] { writeQuoteTxtFile(mapping.customDataName, lines, run.options.codePage); });
    file.lineCount = lines.size();
}

} // namespace

std::string dateTextOf(const std::string& quoteDate, const common::CodePage& codePage)
{
    return common::replaceAll(quoteDate, "/", "-", codePage);
}

std::vector<WrittenFile> runConversion(const ConvertOptions& options, RowSource& rows, ConvertHost& host)
{
    const common::CodePage& codePage = options.codePage;
    RunContext run{options,
                   rows,
                   host,
                   anchoredSaveFolder(options.saveFolder),
                   dateTextOf(options.quoteDate, codePage),
                   std::string(),
                   common::utf8ToCodePage(kProgressPrefix, codePage),
                   common::utf8ToCodePage(kProgressSuffix, codePage),
                   {},
                   false};
    DataSourceOff dataSourceOff(host);

    // The page's controls stay usable during the run (it processes window
    // events for every row); reading the list and the code column up front
    // keeps the run to what was there at the click.
    std::vector<std::string> mappingLines;
    const std::size_t count = host.mappingCount();
    for (std::size_t i = 0; i < count; ++i)
        mappingLines.push_back(host.mappingLine(i));
    run.codeColumn = host.codeColumn();

    std::vector<WrittenFile> written;
    for (const std::string& line : mappingLines) {
        const ColumnMapping mapping = parseColumnMapping(line);
        if (!mapping.isComplete())
            continue;
        WrittenFile file;
        const std::vector<std::string> lines = collectLines(run, mapping, file);
        saveLines(run, mapping, lines, file);
        written.push_back(std::move(file));
        host.fileWritten(written.back());
    }
    return written;
}

} // namespace convert
