// tarnvale-cli: every command is in the cli library, so that tests run them in-process.
#include "cli/Cli.h"
#include "common/FileSizeLimit.h"

#include <iostream>

int main(int argc, char** argv)
{
    common::letFileSizeLimitFailWrites();
    return cli::runCli(std::vector<std::string>(argv, argv + argc), std::cout, std::cerr);
}
