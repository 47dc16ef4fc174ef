// `tarnvale-cli convert`: the window's conversion run, with its inputs taken
// from the command line instead of the page's controls.
#include "cli/Cli.h"
#include "cli/Commands.h"
#include "common/Clock.h"
#include "common/LineList.h"
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
};

// Every row reports progress; a terminal gets a line redrawn now and then
// instead, because writing each of them would cost more than the run.
class CommandLineHost : public convert::ConvertHost {
  public:
    CommandLineHost(std::vector<std::string> mappings, std::string codeColumn, CliContext& context)
        : m_mappings(std::move(mappings)), m_codeColumn(std::move(codeColumn)), m_context(context)
    {
    }
    ~CommandLineHost() override { finishProgress(); }

    std::size_t mappingCount() override { return m_mappings.size(); }
    std::string mappingLine(std::size_t index) override { return m_mappings.at(index); }
    std::string codeColumn() override { return m_codeColumn; }
    void progress(const std::string& text) override
    {
        m_lastProgress = text;
        if (m_context.errIsTerminal && ++m_rowsSincePrint >= kRowsPerPrint) {
            m_context.err << '\r' << text << std::flush;
            m_rowsSincePrint = 0;
        }
    }

    void finishProgress()
    {
        if (m_context.errIsTerminal && !m_lastProgress.empty())
            m_context.err << '\r' << m_lastProgress << '\n' << std::flush;
        m_lastProgress.clear();
    }

  private:
    static constexpr int kRowsPerPrint = 500;
    std::vector<std::string> m_mappings;
    std::string m_codeColumn;
    CliContext& m_context;
    std::string m_lastProgress;
    int m_rowsSincePrint = 0;
};

std::vector<std::string> mappingLines(const ConvertArguments& arguments)
{
    std::vector<std::string> lines;
    if (!arguments.mappingsFile.empty())
        lines = common::loadLineList(arguments.mappingsFile);
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
        context.err << *message << '\n';
        return kExitStopped;
    }

    convert::ConvertOptions options{arguments.out, arguments.date, context.codePage};
    convert::QueryRowSource rows(query);
    CommandLineHost host(mappings, arguments.codeColumn, context);
    const auto written = convert::runConversion(options, rows, host);
    host.finishProgress();
    for (const convert::WrittenFile& file : written)
        context.out << file.path << '\t' << file.lineCount << '\n';
    return kExitDone;
}

} // namespace

void addConvertCommand(CLI::App& app, CliContext& context)
{
    auto arguments = std::make_shared<ConvertArguments>();
    CLI::App* command = app.add_subcommand(
        "convert",
        "Write one text file CODE<TAB>DATE<TAB>VALUE per column mapping into DIR/<date>/<name>.txt");
    command->add_option("WORKBOOK", arguments->workbook, "The workbook (.xls or .csv)")->required();
    command->add_option("TABLE", arguments->table, "The table as the workbook lists it, e.g. Sheet1$")
        ->required();
    command->add_option("--code-column", arguments->codeColumn, "The field that holds the stock codes");
    command->add_option("--date", arguments->date,
                        "The quote date as the date field gives it, e.g. 2024/01/05");
    command->add_option("--out", arguments->out, "The save folder; the date folder is made in it");
    command->add_option("--map", arguments->maps, "A mapping COLUMN<->NAME (repeatable, after the file's)")
        ->allow_extra_args(false);
    command->add_option("--mappings", arguments->mappingsFile, "A mapping file, one COLUMN<->NAME per line");
    command->add_option("--sort", arguments->sort, "Sort the rows by this sort text first");
    command->callback([arguments, &context] { context.exitCode = runConvertCommand(*arguments, context); });
}

} // namespace cli
