// tarnvale-cli: the command bodies, runnable in-process.
#pragma once

#include "common/CodePage.h"
#include "common/RegionalSettings.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace cli {

constexpr int kExitDone = 0;
constexpr int kExitStopped = 1; // a check or an error stopped the job
constexpr int kExitUsage = 2;

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
    // Set by a command that ended on a check; errors are thrown instead.
    int exitCode = kExitDone;
};

// The context of the user's locale, clock and terminal.
CliContext userContext(std::ostream& out, std::ostream& err);

// Runs one command line (args[0] is the program name). Exit status: 0 done,
// 1 a check or an error stopped the job, 2 a usage error.
int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runCli(const std::vector<std::string>& args, CliContext& context);

} // namespace cli
