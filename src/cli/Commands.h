// The command groups of tarnvale-cli. Each group registers its subcommands in
// a file of its own; runCli calls every add function below.
//
// A command's callback throws common::Error to stop with that message (exit
// 1, "tarnvale-cli: <command>: " and where it happened in front) and sets
// context.exitCode for a check that stopped the job after printing its own
// message, or for a status of its own.
#pragma once

#include <functional>

namespace CLI {
class App;
class Validator;
} // namespace CLI

namespace cli {

struct CliContext;

// import, dump
void addImportCommands(CLI::App& app, CliContext& context);
// check, tidy
void addRecordFileCommands(CLI::App& app, CliContext& context);
// convert
void addConvertCommand(CLI::App& app, CliContext& context);
// sheets, show
void addWorkbookCommands(CLI::App& app, CliContext& context);

// Runs a command's body with its name set for its messages; the status it
// returns becomes the exit code.
void runCommand(CliContext& context, const char* name, const std::function<int()>& body);

// Refuses an option's value when it is empty (a folder or file named by "").
CLI::Validator notEmpty();

} // namespace cli
