// tarnvale-cli sheets / show: the workbook's tables and a table's cell texts,
// read through the same connection and query the window uses.
#include "cli/Cli.h"
#include "cli/Commands.h"
#include "common/Clock.h"
#include "workbook/Connection.h"
#include "workbook/ConnectionString.h"
#include "workbook/Query.h"
#include "workbook/Statement.h"

#include <CLI/CLI.hpp>

#include <memory>
#include <ostream>
#include <string>

namespace cli {
namespace {

struct ShowArguments {
    std::string workbook;
    std::string table;
    std::string sort;
    bool sortGiven = false;
};

void openConnection(workbook::Connection& connection, const std::string& path)
{
    connection.setConnectionString(workbook::connectionStringFor(path));
    connection.setLoginPrompt(false);
    connection.open();
}

void runSheets(const std::string& path, CliContext& context)
{
    workbook::Connection connection(context.codePage, context.settings,
                                    common::fixedYear(context.currentYear));
    openConnection(connection, path);
    std::string text;
    for (const std::string& name : workbook::listedTableNames(connection.tables()))
        text += name + '\n';
    context.out << text;
}

void runShow(const ShowArguments& arguments, CliContext& context)
{
    workbook::Connection connection(context.codePage, context.settings,
                                    common::fixedYear(context.currentYear));
    openConnection(connection, arguments.workbook);
    workbook::Query query(connection);
    query.setStatement(workbook::selectAllFrom(arguments.table));
    query.open();
    if (arguments.sortGiven)
        query.setSort(arguments.sort);
    const std::size_t fieldCount = query.fields().size();
    std::string text;
    for (std::size_t field = 0; field < fieldCount; ++field)
        text += (field ? "\t" : "") + query.fields()[field].name;
    text += '\n';
    for (query.first(); !query.eof(); query.next()) {
        for (std::size_t field = 0; field < fieldCount; ++field) {
            if (field)
                text += '\t';
            text += query.cellText(field);
        }
        text += '\n';
    }
    context.out << text;
}

} // namespace

void addWorkbookCommands(CLI::App& app, CliContext& context)
{
    auto sheetsPath = std::make_shared<std::string>();
    CLI::App* sheets = app.add_subcommand("sheets", "Print the table names of a workbook, one per line");
    sheets->add_option("WORKBOOK", *sheetsPath, "The workbook (.xls, .xlsx, .xlsm or .csv)")->required();
    sheets->callback([sheetsPath, &context] {
        runCommand(context, "sheets", [&] {
            runSheets(*sheetsPath, context);
            return kExitDone;
        });
    });

    auto arguments = std::make_shared<ShowArguments>();
    CLI::App* show = app.add_subcommand("show", "Print a table of a workbook: the field names, then one "
                                                "line of cell texts per row, joined by TAB");
    show->add_option("WORKBOOK", arguments->workbook, "The workbook (.xls, .xlsx, .xlsm or .csv)")
        ->required();
    show->add_option("TABLE", arguments->table, "A table name as 'sheets' prints it (Sheet1$, quotes.csv)")
        ->required();
    show->add_option("--sort", arguments->sort, "Sort text: a field name, or \"A, [B C] DESC\"")
        ->each([arguments](const std::string&) { arguments->sortGiven = true; });
    show->callback([arguments, &context] {
        runCommand(context, "show", [&] {
            runShow(*arguments, context);
            return kExitDone;
        });
    });
}

} // namespace cli
