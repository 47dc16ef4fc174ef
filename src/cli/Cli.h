// tarnvale-cli: the command bodies, runnable in-process.
#pragma once

#include "common/CodePage.h"
#include "common/RegionalSettings.h"

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace cli {

constexpr int kExitDone = 0;
constexpr int kExitStopped = 1; // an error stopped the job, or check found a problem
constexpr int kExitUsage = 2;   // the command line is wrong
constexpr int kExitSkipped = 3; // import --strict: lines were skipped

// Nanoseconds of a steady clock; only differences count.
using Clock = std::function<std::int64_t()>;
std::int64_t steadyNanoseconds();

// What every command works with. The command line takes it from the user's
// locale; tests build one with fixed values.
struct CliContext {
    CliContext(std::ostream& out, std::ostream& err, common::CodePage codePage,
               common::RegionalSettings settings, int currentYear, bool errIsTerminal = false)
        : out(out), err(err), codePage(codePage), settings(std::move(settings)), currentYear(currentYear),
          errIsTerminal(errIsTerminal)
    {
    }

    std::ostream& out;
    std::ostream& err;
    common::CodePage codePage;
    common::RegionalSettings settings;
    int currentYear; // places two-digit years; read once from the clock
    bool errIsTerminal;
    Clock clock = steadyNanoseconds; // paces the progress line
    // The command being run ("import"), for the front of its messages.
    std::string command;
    // Set by a command that ended on a check or with a status of its own;
    // errors are thrown instead.
    int exitCode = kExitDone;
};

// The context of the user's locale, clock and terminal.
CliContext userContext(std::ostream& out, std::ostream& err);

// Prints "tarnvale-cli: <command>: <text>" on stderr.
void printError(CliContext& context, const std::string& text);

// Runs one command line (args[0] is the program name). Exit status: 0 done,
// 1 an error stopped the job (or check found a problem), 2 a usage error,
// 3 lines skipped under import --strict.
int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runCli(const std::vector<std::string>& args, CliContext& context);

} // namespace cli
