// tarnvale-cli: the command bodies, runnable in-process.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace cli {

// Runs one command line (args[0] is the program name). Exit status: 0 done,
// 1 a check or an error stopped the job, 2 a usage error.
int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace cli
