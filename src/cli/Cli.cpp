#include "cli/Cli.h"

#include "cli/Commands.h"
#include "cli/Version.h"
#include "common/Clock.h"
#include "common/Error.h"
#include "common/ErrorWhere.h"
#include "common/Terminal.h"

#include <CLI/CLI.hpp>

#include <chrono>
#include <exception>
#include <ostream>

namespace cli {
namespace {

constexpr const char* kProgramName = "tarnvale-cli";
constexpr const char* kDescription = "Tarnvale: stock data from spreadsheets to custom-data record files.";
constexpr const char* kExitStatus = "Exit status: 0 done; 1 an error stopped the job, or check found a "
                                    "problem; 2 the command line is wrong; 3 import --strict skipped lines.";

void buildCommands(CLI::App& app, CliContext& context)
{
    app.require_subcommand(1);
    app.set_version_flag("--version", std::string(kProgramName) + ' ' + kVersion);
    app.footer(kExitStatus);
    addImportCommands(app, context);
    addRecordFileCommands(app, context);
    addConvertCommand(app, context);
    addWorkbookCommands(app, context);
}

} // namespace

std::int64_t steadyNanoseconds()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

CliContext userContext(std::ostream& out, std::ostream& err)
{
    return CliContext(out, err, common::CodePage::fromLocale(), common::loadUserRegionalSettings(),
                      common::currentLocalYear(), common::standardErrorIsTerminal());
}

void runCommand(CliContext& context, const char* name, const std::function<int()>& body)
{
    context.command = name;
    context.exitCode = body();
}

CLI::Validator notEmpty()
{
    return CLI::Validator(
        [](std::string& value) { return value.empty() ? std::string("must not be empty") : ""; }, "",
        "not empty");
}

void printError(CliContext& context, const std::string& text)
{
    context.err << kProgramName << ": ";
    if (!context.command.empty())
        context.err << context.command << ": ";
    context.err << text << '\n' << std::flush;
}

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    CliContext context = userContext(out, err);
    return runCli(args, context);
}

int runCli(const std::vector<std::string>& args, CliContext& context)
{
    CLI::App app{kDescription, kProgramName};
    // CLI11 takes "/name" for an option on Windows; there it is a path from
    // the drive's root (as "/x" is one on POSIX). The commands inherit this.
    app.allow_windows_style_options(false);
    buildCommands(app, context);
    std::vector<const char*> argv{kProgramName};
    for (std::size_t i = 1; i < args.size(); ++i)
        argv.push_back(args[i].c_str());
    context.exitCode = kExitDone;
    context.command.clear();
    try {
        app.parse(static_cast<int>(argv.size()), argv.data());
    } catch (const CLI::ParseError& error) {
        // --help and --version come here too, as a "success" that has printed.
        int status = app.exit(error, context.out, context.err);
        return status == 0 ? kExitDone : kExitUsage;
    } catch (const common::Error& error) {
        if (error.kind() != common::Error::Kind::Abort)
            printError(context, common::describeError(error));
        return kExitStopped;
    } catch (const std::exception& error) {
        printError(context, error.what());
        return kExitStopped;
    }
    return context.exitCode;
}

} // namespace cli
