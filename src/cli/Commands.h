// The command groups of tarnvale-cli. Each group registers its subcommands in
// a file of its own; runCli calls every add function below.
//
// A command's callback throws common::Error to stop with that message (exit
// 1, shown with the error box's full-stop rule) and sets context.exitCode for
// a check that stopped the job after printing its own message.
#pragma once

namespace CLI {
class App;
}

namespace cli {

struct CliContext;

// import, dump
void addImportCommands(CLI::App& app, CliContext& context);
// convert
void addConvertCommand(CLI::App& app, CliContext& context);
// sheets, show
void addWorkbookCommands(CLI::App& app, CliContext& context);

} // namespace cli
