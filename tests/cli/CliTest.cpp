// tarnvale-cli run in-process under fixed zh_CN-like settings: import, dump,
// exit codes and the texts on stderr.
#include "cli/Cli.h"
#include "cli/ImportCommand.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

using testing_support::readBytes;
using testing_support::TempDir;
using testing_support::writeBytes;
namespace fs = std::filesystem;

namespace {

const std::string kExampleRecord("\x80\xF7\x8B\x47\x00\x00\x48\x41", 8);
const std::string kLine = "SH600000\t2008-01-15\t12.5\r\n";
const std::string kExampleDump = "1200355200\t2008-01-15 00:00:00\t12.5\n";

class CliTest : public ::testing::Test {
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
    std::string input(const std::string& name, const std::string& text)
    {
        fs::create_directories(fs::path(m_dir.file(name)).parent_path());
        writeBytes(m_dir.file(name), text);
        return m_dir.file(name);
    }

    TempDir m_dir;
    const std::string m_cd = m_dir.file("cd");
    fs::path m_oldFolder;
    std::ostringstream m_out;
    std::ostringstream m_err;
    cli::CliContext m_context{m_out, m_err, common::CodePage(936), {}, 2026, false};
};

} // namespace

TEST_F(CliTest, ImportsAndDumpsTheWorkedExample)
{
    std::string file = input("E/PE.txt", kLine);
    EXPECT_EQ(run({"import", "--folder", m_cd, "--target", "dat", file}), 0);
    EXPECT_EQ(m_err.str(), "");
    EXPECT_EQ(readBytes(m_cd + "/PE/SH600000.dat"), kExampleRecord);
    EXPECT_EQ(run({"dump", m_cd + "/PE/SH600000.dat"}), 0);
    EXPECT_EQ(m_out.str(), kExampleDump);
}

TEST_F(CliTest, FilesComeBeforeScannedFoldersAndTheTargetDefaultsToAdt)
{
    std::string file = input("E/PE.txt", kLine);
    input("S/deep/PE.TXT", "SH600000\t1969-12-31\t-3.75\n");
    input("T/PE.txt", "SH600000\t2040-01-01\t0.1\n");
    EXPECT_EQ(run({"import", "--folder", m_cd, "--scan", m_dir.file("S"), "--scan", m_dir.file("T"), file}),
              0);
    EXPECT_EQ(run({"dump", m_cd + "/PE/SH600000.adt"}), 0);
    EXPECT_EQ(m_out.str(), kExampleDump + "-86400\t1969-12-31 00:00:00\t-3.75\n"
                                          "-2085978496\t1903-11-25 17:31:44\t0.1\n");
}

TEST_F(CliTest, RelativePathsAreTakenFromTheFolderTheCommandStartsIn)
{
    input("PE.txt", kLine);
    fs::current_path(m_dir.path());
    EXPECT_EQ(run({"import", "--folder", "cd", "PE.txt"}), 0) << m_err.str();
    EXPECT_EQ(readBytes(m_cd + "/PE/SH600000.adt"), kExampleRecord);
}

TEST_F(CliTest, ProgressGoesToATerminalOnly)
{
    std::string file = input("PE.txt", kLine);
    m_context.errIsTerminal = true;
    EXPECT_EQ(run({"import", "--folder", m_cd, file}), 0);
    // "正在转换:" + entry, then "转换完成", in GBK.
    EXPECT_EQ(m_err.str(),
              "\xD5\xFD\xD4\xDA\xD7\xAA\xBB\xBB:" + file + "\n\xD7\xAA\xBB\xBB\xCD\xEA\xB3\xC9\n");
}

TEST_F(CliTest, AStoppedJobExitsWith1AndTheTextTheWindowWouldShow)
{
    std::string file = input("PE.txt", kLine);
    EXPECT_EQ(run({"import", "--folder", m_dir.file("none"), file}), 1);
    EXPECT_EQ(m_err.str(),
              "\xD7\xD4\xB6\xA8\xD2\xE5\xCA\xFD\xBE\xDD\xC2\xB7\xBE\xB6\xB2\xBB\xB4\xE6\xD4\xDA\n");
    EXPECT_EQ(run({"import", "--folder", m_cd, file, m_dir.file("gone.txt")}), 1);
    EXPECT_EQ(m_err.str(), "File not found.\n");
    EXPECT_EQ(readBytes(m_cd + "/PE/SH600000.adt"), kExampleRecord);
    EXPECT_EQ(run({"dump", m_dir.file("gone.adt")}), 1);
    EXPECT_EQ(m_err.str(), "File not found.\n");
}

TEST_F(CliTest, UsageErrorsExitWith2AndHelpWith0)
{
    const std::vector<std::vector<std::string>> usageErrors = {
        {}, {"frobnicate"}, {"import"}, {"import", "--folder", m_cd, "--target", "exe"}, {"dump"}};
    for (const auto& args : usageErrors) {
        EXPECT_EQ(run(args), 2) << args.size();
        EXPECT_NE(m_err.str(), "");
    }
    for (const auto& args :
         std::vector<std::vector<std::string>>{{"--help"}, {"import", "--help"}, {"dump", "-h"}}) {
        EXPECT_EQ(run(args), 0);
        EXPECT_NE(m_out.str().find("Usage"), std::string::npos) << m_out.str();
    }
    EXPECT_NE(m_out.str().find("FILE"), std::string::npos);
}

TEST_F(CliTest, DumpReportsATrailingIncompleteRecord)
{
    writeBytes(m_dir.file("f.adt"), kExampleRecord + "\x01\x02\x03");
    EXPECT_EQ(run({"dump", m_dir.file("f.adt")}), 0);
    EXPECT_EQ(m_out.str(), kExampleDump);
    EXPECT_EQ(m_err.str(), m_dir.file("f.adt") + ": 3 trailing byte(s) do not make a whole record\n");
}

TEST(DumpLine, ShowsTheSignedTimeAndTheShortestValueThatReadsBack)
{
    struct Case {
        std::int32_t time;
        float value;
        const char* line;
    } cases[] = {
        {0, 1e38f, "0\t1970-01-01 00:00:00\t1e+38"},
        {1, 16777216.0f, "1\t1970-01-01 00:00:01\t16777216"},
        {2147483647, 0.3f, "2147483647\t2038-01-19 03:14:07\t0.3"},
        {-2147483647 - 1, -0.0f, "-2147483648\t1901-12-13 20:45:52\t-0"},
        {1200389400, 3.4028235e38f, "1200389400\t2008-01-15 09:30:00\t3.4028235e+38"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(cli::dumpLine(c.time, c.value), c.line);
}
