#include "cli/Cli.h"

#include "cli/Commands.h"
#include "common/Clock.h"
#include "common/Error.h"
#include "common/ErrorText.h"
#include "common/Terminal.h"

#include <CLI/CLI.hpp>

#include <exception>
#include <ostream>

namespace cli {
namespace {

constexpr const char* kProgramName = "tarnvale-cli";
constexpr const char* kDescription = "Tarnvale: stock data from spreadsheets to custom-data record files.";

void buildCommands(CLI::App& app, CliContext& context)
{
    app.require_subcommand(1);
    addImportCommands(app, context);
    addConvertCommand(app, context);
    addWorkbookCommands(app, context);
}

// Prints an error the way the window's error box words it.
int reportError(const common::Error& error, CliContext& context)
{
    if (error.kind() != common::Error::Kind::Abort)
        context.err << common::errorBoxText(error.what()) << '\n';
    return kExitStopped;
}

} // namespace

CliContext userContext(std::ostream& out, std::ostream& err)
{
    return CliContext(out, err, common::CodePage::fromLocale(), common::loadUserRegionalSettings(),
                      common::currentLocalYear(), common::standardErrorIsTerminal());
}

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    CliContext context = userContext(out, err);
    return runCli(args, context);
}

int runCli(const std::vector<std::string>& args, CliContext& context)
{
    CLI::App app{kDescription, kProgramName};
    buildCommands(app, context);
    std::vector<const char*> argv{kProgramName};
    for (std::size_t i = 1; i < args.size(); ++i)
        argv.push_back(args[i].c_str());
    context.exitCode = kExitDone;
    try {
        app.parse(static_cast<int>(argv.size()), argv.data());
    } catch (const CLI::ParseError& error) {
        // --help comes here too, as a "success" that has printed the help.
        int status = app.exit(error, context.out, context.err);
        return status == 0 ? kExitDone : kExitUsage;
    } catch (const common::Error& error) {
        return reportError(error, context);
    } catch (const std::exception& error) {
        context.err << error.what() << '\n';
        return kExitStopped;
    }
    return context.exitCode;
}

} // namespace cli
