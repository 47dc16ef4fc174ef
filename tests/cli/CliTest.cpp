// tarnvale-cli run in-process: import and dump end to end, the exact texts
// of errors that say where, exit codes, usage mistakes, progress.
#include "cli/ImportCommand.h"

#include "CliFixture.h"
#include "support/SystemTexts.h"

using testing_support::readBytes;
using testing_support::writeBytes;
using namespace cli_test;
using testing_support::Failure;
using testing_support::nativePath;
using testing_support::systemText;

namespace {

class CliTest : public CliFixture {};

TEST_F(CliTest, ImportsAndDumpsTheWorkedExample)
{
    std::string file = input("E/PE.txt", kLine);
    EXPECT_EQ(run({"import", "--folder", m_cd, "--target", "dat", "--quiet", file}), 0);
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
    EXPECT_EQ(m_err.str(), "dump: 2 records dated before 1970; if they are meant to be 2038 or later, "
                           "--unsigned reads them so\n");
    EXPECT_EQ(run({"dump", "--unsigned", m_cd + "/PE/SH600000.adt"}), 0);
    EXPECT_EQ(m_out.str(), kExampleDump + "4294880896\t2106-02-06 06:28:16\t-3.75\n"
                                          "2208988800\t2040-01-01 00:00:00\t0.1\n");
    EXPECT_EQ(m_err.str(), "");
}

TEST_F(CliTest, RelativePathsAreTakenFromTheFolderTheCommandStartsIn)
{
    input("PE.txt", kLine);
    fs::current_path(m_dir.path());
    EXPECT_EQ(run({"import", "--folder", "cd", "PE.txt"}), 0) << m_err.str();
    EXPECT_EQ(readBytes(m_cd + "/PE/SH600000.adt"), kExampleRecord);
}

// On Windows "/x" is x at the root of the current drive, and CLI11 would
// take it for an option there ("/folder" for --folder): a usage error.
TEST_F(CliTest, AnArgumentStartingWithASlashIsAPath)
{
    const std::string entry = input("PE.txt", kLine);
    EXPECT_EQ(run({"dump", "/none/x.adt"}), cli::kExitStopped);
    EXPECT_NE(m_err.str().find("cannot open /none/x.adt: "), std::string::npos) << m_err.str();
    EXPECT_EQ(run({"import", "--folder", "/none", entry}), cli::kExitStopped);
    EXPECT_NE(m_err.str().find("/none: "), std::string::npos) << m_err.str();
}

// The tool's own message stays, with where it happened and the system's words.
TEST_F(CliTest, ErrorsSayWhere)
{
    const std::string entry = input("PE.txt", kLine);
    const std::string gone = m_dir.file("gone.txt");
    input("taken/SZ.txt", kLine);
    input("cd/SZ", "");
    fs::create_directories(m_cd + "/dir/SH600000.adt");
    const std::string dirEntry = input("x/dir.txt", "SH600000\t2008-01-15\t1\n");
    const struct {
        std::vector<std::string> args;
        std::string lastLine;
    } cases[] = {
        {{"import", "--folder", m_dir.file("none"), entry},
         "tarnvale-cli: import: " + m_dir.file("none") +
             ": \xD7\xD4\xB6\xA8\xD2\xE5\xCA\xFD\xBE\xDD\xC2\xB7\xBE\xB6\xB2\xBB\xB4\xE6\xD4\xDA"}, // 自定义数据路径不存在
        {{"import", "--folder", m_cd, entry, gone},
         "tarnvale-cli: import: cannot open " + gone + ": " + systemText(Failure::MissingFile) +
             " (File not found)"},
        {{"import", "--folder", m_cd, "--scan", m_dir.file("nope")},
         "tarnvale-cli: import: --scan " + m_dir.file("nope") + ": no such folder"},
        {{"import", "--folder", m_cd, dirEntry},
         "tarnvale-cli: import: " + dirEntry + ":1: cannot open " + m_cd + nativePath("/dir/SH600000.adt") +
             ": " + systemText(Failure::Folder) + " (File access denied)"},
        {{"import", "--folder", m_cd, m_dir.file("taken/SZ.txt")},
         "tarnvale-cli: import: " + m_dir.file("taken/SZ.txt") + ": cannot make folder " + m_cd +
             nativePath("/SZ") + ": " + systemText(Failure::Exists) + " (I/O error 183)"},
        {{"dump", gone},
         "tarnvale-cli: dump: cannot open " + gone + ": " + systemText(Failure::MissingFile) +
             " (File not found)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(run(c.args), cli::kExitStopped) << c.lastLine;
        const std::string err = m_err.str();
        EXPECT_TRUE(err.ends_with(c.lastLine + "\n")) << err;
    }
    // Input files are looked at before anything is imported.
    EXPECT_FALSE(fs::exists(m_cd + "/PE"));
}

TEST_F(CliTest, UsageMistakesExitWith2AndHelpAndVersionWith0)
{
    const std::vector<std::vector<std::string>> usageErrors = {
        {},
        {"frobnicate"},
        {"import"},
        {"import", "--folder", m_cd},
        {"import", "--folder", "", "x.txt"},
        {"import", "--folder", m_cd, "--target", "exe", "x.txt"},
        {"import", "--folder", m_cd, "--quiet", "--verbose", "x.txt"},
        {"dump"},
        {"check"},
    };
    for (const auto& args : usageErrors) {
        EXPECT_EQ(run(args), cli::kExitUsage) << args.size();
        EXPECT_NE(m_err.str(), "");
    }
    EXPECT_EQ(run({"import", "--folder", m_cd}), cli::kExitUsage);
    EXPECT_EQ(m_err.str(),
              "import: give text files, or folders with --scan\nRun with --help for more information.\n");
    for (const auto& args :
         std::vector<std::vector<std::string>>{{"--help"}, {"import", "--help"}, {"dump", "-h"}}) {
        EXPECT_EQ(run(args), 0);
        EXPECT_NE(m_out.str().find("Usage"), std::string::npos) << m_out.str();
    }
    EXPECT_NE(m_out.str().find("FILE"), std::string::npos);
    EXPECT_EQ(run({"--version"}), 0);
    EXPECT_EQ(m_out.str(), "tarnvale-cli 0.1\n");
}

// One line, redrawn at most ten times a second, and only on a terminal.
TEST_F(CliTest, ProgressShowsOnATerminalOnly)
{
    std::string text;
    for (int line = 0; line < 4000; ++line)
        text += "SH60" + std::to_string(1000 + line % 50) + "\t2008-01-15\t1\n";
    const std::string file = input("PE.txt", text);
    std::int64_t now = 0;
    m_context.clock = [&now] { return now += 20'000'000; }; // 20 ms per look
    EXPECT_EQ(run({"import", "--folder", m_cd, "--quiet", file}), 0);
    EXPECT_EQ(m_err.str(), "");

    m_context.errIsTerminal = true;
    now = 0;
    EXPECT_EQ(run({"import", "--folder", m_cd, "--quiet", file}), 0);
    const std::string err = m_err.str();
    // 4000 lines, a look every 256 and at the file's start and end: 17 looks
    // 20 ms apart, so a drawing at the first and then at every fifth.
    const auto drawings = std::count(err.begin(), err.end(), '\r') - 2; // the clearing takes two
    EXPECT_EQ(drawings, 4);
    EXPECT_TRUE(err.starts_with("\rimport: files 0/1, lines 0, 0 records/s")) << err;
    EXPECT_NE(err.find("\rimport: files 0/1, lines 1279, 10658 records/s"), std::string::npos) << err;
    EXPECT_EQ(err.back(), '\r');
}

TEST_F(CliTest, DumpReportsATrailingIncompleteRecord)
{
    writeBytes(m_dir.file("f.adt"), kExampleRecord + "\x01\x02\x03");
    EXPECT_EQ(run({"dump", m_dir.file("f.adt")}), 0);
    EXPECT_EQ(m_out.str(), kExampleDump);
    EXPECT_EQ(m_err.str(),
              "dump: " + m_dir.file("f.adt") + ": 3 trailing byte(s) do not make a whole record\n");
}

TEST(DumpLine, ShowsTheTimeAsReadAndTheShortestValueThatReadsBack)
{
    using importer::TimeReading;
    const struct {
        std::int32_t time;
        float value;
        TimeReading reading;
        const char* line;
    } cases[] = {
        {0, 1e38f, TimeReading::Signed, "0\t1970-01-01 00:00:00\t1e+38"},
        {2147483647, 0.3f, TimeReading::Signed, "2147483647\t2038-01-19 03:14:07\t0.3"},
        {-2147483647 - 1, -0.0f, TimeReading::Signed, "-2147483648\t1901-12-13 20:45:52\t-0"},
        {-2147483647 - 1, -0.0f, TimeReading::Unsigned, "2147483648\t2038-01-19 03:14:08\t-0"},
        {-1, 1.0f, TimeReading::Unsigned, "4294967295\t2106-02-07 06:28:15\t1"},
        {1200389400, -27891492864.0f, TimeReading::Signed, "1200389400\t2008-01-15 09:30:00\t-27891493000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(cli::dumpLine(c.time, c.value, c.reading), c.line);
}

} // namespace
