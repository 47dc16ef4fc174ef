// `tarnvale-cli convert`: the window's conversion run, with its inputs taken
// from the command line instead of the page's controls.
#include "cli/Cli.h"
#include "cli/Commands.h"
#include "cli/ProgressLine.h"
#include "cli/RunSummary.h"
#include "common/Clock.h"
#include "common/Error.h"
#include "common/LineList.h"
#include "convert/ColumnMapping.h"
#include "convert/ConvertInputs.h"
#include "convert/ConvertRun.h"
#include "convert/QueryRowSource.h"
#include "workbook/Connection.h"
#include "workbook/ConnectionString.h"
#include "workbook/Query.h"
#include "workbook/Statement.h"

#include <CLI/CLI.hpp>

#include <memory>
#include <ostream>

namespace cli {
namespace {

struct ConvertArguments {
    std::string workbook;
    std::string table;
    std::string codeColumn;
    std::string date;
    std::string out;
    std::vector<std::string> maps;
    std::string mappingsFile;
    std::string sort;
    bool quiet = false;
};

// The run's view of the command line: fixed mappings and code column, and
// the progress line on a terminal (every row reports progress, so the clock
// is looked at only every so many rows).
class CommandLineHost : public convert::ConvertHost {
  public:
    CommandLineHost(std::vector<std::string> mappings, std::string codeColumn, CliContext& context)
        : m_mappings(std::move(mappings)), m_codeColumn(std::move(codeColumn)), m_progress(context)
    {
    }

    std::size_t mappingCount() override { return m_mappings.size(); }
    std::string mappingLine(std::size_t index) override { return m_mappings.at(index); }
    std::string codeColumn() override { return m_codeColumn; }
    void progress(const std::string&) override
    {
        ++m_rows;
        if (!m_progress.enabled() || ++m_rowsSinceLook < kRowsPerLook)
            return;
        m_rowsSinceLook = 0;
        if (m_progress.due())
            m_progress.draw("convert: files " + std::to_string(m_filesWritten) + '/' +
                            std::to_string(m_mappings.size()) + ", rows " + std::to_string(m_rows) + ", " +
                            m_progress.rate(m_rows, "rows"));
    }
    void fileWritten(const convert::WrittenFile&) override { ++m_filesWritten; }
    void endProgress() { m_progress.clear(); }

  private:
    static constexpr unsigned kRowsPerLook = 256;
    std::vector<std::string> m_mappings;
    std::string m_codeColumn;
    ProgressLine m_progress;
    std::size_t m_rows = 0;
    std::size_t m_filesWritten = 0;
    unsigned m_rowsSinceLook = 0;
};

// A mapping is COLUMN<->NAME with neither side empty; the window skips any
// other line without a word, which on the command line hides a typo.
bool isMapping(const std::string& line)
{
    return line.find(convert::kMappingSeparator) != std::string::npos &&
           convert::parseColumnMapping(line).isComplete();
}

constexpr const char* kNotAMapping = "is no mapping COLUMN<->NAME (with neither side empty)";

// The mapping file's lines (empty ones left out), then the --map options.
std::vector<std::string> mappingLines(const ConvertArguments& arguments)
{
    std::vector<std::string> lines;
    if (!arguments.mappingsFile.empty()) {
        const std::vector<std::string> fileLines = common::loadLineList(arguments.mappingsFile);
        for (std::size_t i = 0; i < fileLines.size(); ++i) {
            if (fileLines[i].empty())
                continue;
            if (!isMapping(fileLines[i]))
                throw common::Error(arguments.mappingsFile + ':' + std::to_string(i + 1) + ": '" +
                                    fileLines[i] + "' " + kNotAMapping);
            lines.push_back(fileLines[i]);
        }
    }
    lines.insert(lines.end(), arguments.maps.begin(), arguments.maps.end());
    return lines;
}

// Opens the workbook and the table the way the page would have before its
// click. Nothing is opened while the path or the save folder is empty: the
// checks then stop at those first.
void openSheet(const ConvertArguments& arguments, workbook::Connection& connection, workbook::Query& query)
{
    if (arguments.workbook.empty() || arguments.out.empty())
        return;
    connection.setConnectionString(workbook::connectionStringFor(arguments.workbook));
    connection.setLoginPrompt(false);
    connection.open();
    if (arguments.table.empty())
        return;
    query.setStatement(workbook::selectAllFrom(arguments.table));
    query.open();
    if (!arguments.sort.empty())
        query.setSort(arguments.sort);
}

int runConvertCommand(const ConvertArguments& arguments, CliContext& context)
{
    workbook::Connection connection(context.codePage, context.settings,
                                    common::fixedYear(context.currentYear));
    workbook::Query query(connection);
    openSheet(arguments, connection, query);
    const std::vector<std::string> mappings = arguments.workbook.empty() || arguments.out.empty()
                                                  ? std::vector<std::string>()
                                                  : mappingLines(arguments);

    convert::ConvertInputs inputs;
    inputs.workbookPath = arguments.workbook;
    inputs.saveFolder = arguments.out;
    inputs.sheetOpen = query.isOpen();
    inputs.codeColumnSelected = !arguments.codeColumn.empty();
    inputs.quoteDate = arguments.date;
    inputs.mappingCount = mappings.size();
    if (auto message =
            convert::firstFailedCheck(inputs, context.settings, context.currentYear, context.codePage)) {
        printError(context, *message);
        return kExitStopped;
    }

    convert::ConvertOptions options{arguments.out, arguments.date, context.codePage};
    convert::QueryRowSource rows(query);
    CommandLineHost host(mappings, arguments.codeColumn, context);
    const auto written = convert::runConversion(options, rows, host);
    host.endProgress();
    for (const convert::WrittenFile& file : written)
        context.out << file.path << '\t' << file.lineCount << '\n';
    context.out << std::flush;
    if (!arguments.quiet)
        context.err << convertSummary(written) << std::flush;
    return kExitDone;
}

} // namespace

void addConvertCommand(CLI::App& app, CliContext& context)
{
    auto arguments = std::make_shared<ConvertArguments>();
    CLI::App* command = app.add_subcommand(
        "convert",
        "Write one text file CODE<TAB>DATE<TAB>VALUE per column mapping into DIR/<date>/<name>.txt");
    command->add_option("WORKBOOK", arguments->workbook, "The workbook (.xls, .xlsx, .xlsm or .csv)")
        ->required();
    command->add_option("TABLE", arguments->table, "The table as the workbook lists it, e.g. Sheet1$")
        ->required();
    command->add_option("--code-column", arguments->codeColumn, "The field that holds the stock codes");
    command->add_option("--date", arguments->date,
                        "The quote date as the date field gives it, e.g. 2024/01/05");
    command->add_option("--out", arguments->out, "The save folder; the date folder is made in it")
        ->required()
        ->check(notEmpty());
    command->add_option("--map", arguments->maps, "A mapping COLUMN<->NAME (repeatable, after the file's)")
        ->allow_extra_args(false)
        ->check(CLI::Validator(
            [](std::string& line) {
                return isMapping(line) ? std::string() : "'" + line + "' " + kNotAMapping;
            },
            "COLUMN<->NAME"));
    command->add_option("--mappings", arguments->mappingsFile, "A mapping file, one COLUMN<->NAME per line");
    command->add_option("--sort", arguments->sort, "Sort the rows by this sort text first");
    command->add_flag("--quiet,-q", arguments->quiet, "Print errors only");
    command->callback([arguments, &context] {
        runCommand(context, "convert", [&] { return runConvertCommand(*arguments, context); });
    });
}

} // namespace cli
