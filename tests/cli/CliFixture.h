// What the tests of tarnvale-cli's commands share: a temporary folder with a
// custom-data folder in it, the command line run in-process under zh_CN-like
// settings (year-month-day with "/", GBK), and what it printed.
#pragma once

#include "cli/Cli.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace cli_test {

namespace fs = std::filesystem;

// The worked example: the line, its record, and how dump prints it.
inline const std::string kExampleRecord("\x80\xF7\x8B\x47\x00\x00\x48\x41", 8);
inline const std::string kLine = "SH600000\t2008-01-15\t12.5\r\n";
inline const std::string kExampleDump = "1200355200\t2008-01-15 00:00:00\t12.5\n";

class CliFixture : public ::testing::Test {
  protected:
    void SetUp() override
    {
        m_oldFolder = fs::current_path();
        fs::create_directory(m_cd);
        m_context.settings.shortDateFormat = "yyyy/M/d";
    }
    void TearDown() override { fs::current_path(m_oldFolder); }

    int run(std::vector<std::string> args)
    {
        m_out.str("");
        m_err.str("");
        args.insert(args.begin(), "tarnvale-cli");
        return cli::runCli(args, m_context);
    }
    // Writes a file below the test folder (folders made as needed) and gives its path.
    std::string input(const std::string& name, const std::string& text)
    {
        fs::create_directories(fs::path(m_dir.file(name)).parent_path());
        testing_support::writeBytes(m_dir.file(name), text);
        return m_dir.file(name);
    }

    testing_support::TempDir m_dir;
    const std::string m_cd = m_dir.file("cd");
    fs::path m_oldFolder;
    std::ostringstream m_out;
    std::ostringstream m_err;
    cli::CliContext m_context{m_out, m_err, common::CodePage(936), {}, 2026, false};
};

} // namespace cli_test
