// `tarnvale-cli convert` in-process over the Quotes fixture (Code, Close, Vol;
// rows 600000, 000001, 300750): the files, the checks' messages in their
// order, the sort, mapping files, and errors with their exit code.
#include "cli/Cli.h"

#include "common/FileSystem.h"
#include "common/LineList.h"
#include "support/SystemTexts.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

using testing_support::Failure;
using testing_support::readBytes;
using testing_support::systemText;
using testing_support::TempDir;
namespace fs = std::filesystem;

namespace {

const std::string kClose = "\xca\xd5\xc5\xcc";          // 收盘 (GBK)
const std::string kVolume = "\xb3\xc9\xbd\xbb\xc1\xbf"; // 成交量 (GBK)
const std::string kCloseLines = "SH600000\t2024-01-05\t10.5\r\nSZ000001\t2024-01-05\t12.25\r\n";
const std::string kVolumeLines = "SH600000\t2024-01-05\t123456\r\nSZ000001\t2024-01-05\t7890\r\n";

class ConvertCommandTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        m_oldFolder = fs::current_path();
        m_context.settings.shortDateFormat = "yyyy/M/d";
    }
    void TearDown() override { fs::current_path(m_oldFolder); }

    int run(std::vector<std::string> args)
    {
        m_out.str("");
        m_err.str("");
        args.insert(args.begin(), {"tarnvale-cli", "convert"});
        return cli::runCli(args, m_context);
    }
    // Every argument of a passing run; tests change one at a time.
    std::vector<std::string> passing() const
    {
        return {m_book,   "Sheet1$",           "--code-column", "Code",
                "--date", "2024/01/05",        "--out",         m_out_folder,
                "--map",  "Close<->" + kClose, "--map",         "Vol<->" + kVolume};
    }
    std::string output(const std::string& name) const { return m_dir.file("2024-01-05/" + name + ".txt"); }

    TempDir m_dir;
    const std::string m_book = testing_support::dataPath("Quotes.xls");
    const std::string m_out_folder = m_dir.path().string();
    fs::path m_oldFolder;
    std::ostringstream m_out;
    std::ostringstream m_err;
    cli::CliContext m_context{m_out, m_err, common::CodePage(936), {}, 2026, false};
};

TEST_F(ConvertCommandTest, WritesTheWorkedExample)
{
    ASSERT_EQ(run(passing()), cli::kExitDone) << m_err.str();
    EXPECT_EQ(readBytes(output(kClose)), kCloseLines);
    EXPECT_EQ(readBytes(output(kVolume)), kVolumeLines);
    EXPECT_EQ(m_out.str(), output(kClose) + "\t2\n" + output(kVolume) + "\t2\n");
    // The summary, and no progress when stderr is not a terminal.
    EXPECT_EQ(m_err.str(), "convert: 2 files written, 3 rows each, 4 lines\n"
                           "convert: lines left out: 2 code not SH or SZ, 0 value empty\n");
    EXPECT_EQ(run([&] {
                  auto args = passing();
                  args.push_back("--quiet");
                  return args;
              }()),
              cli::kExitDone);
    EXPECT_EQ(m_err.str(), "");
}

TEST_F(ConvertCommandTest, ChecksStopTheRunWithTheirMessages)
{
    struct CheckCase {
        std::size_t argument; // index into passing()
        std::string value;
        std::string message;
    };
    const CheckCase cases[] = {
        {0, "",
         "\xc3\xbb\xd3\xd0\xd6\xb8\xb6\xa8"
         "Excel\xce\xc4\xbc\xfe\xc2\xb7\xbe\xb6\xa3\xbf\n"},
        {1, "", "\xc3\xbb\xd3\xd0\xd6\xb8\xb6\xa8\xb1\xed\xa3\xbf\n"},
        {3, "", "\xc3\xbb\xd3\xd0\xd6\xb8\xb6\xa8\xd6\xa4\xc8\xaf\xb4\xfa\xc2\xeb\xc1\xd0\xa3\xbf\n"},
        {5, "2024/13/05",
         "\xd6\xb8\xb6\xa8\xd0\xd0\xc7\xe9\xc8\xd5\xc6\xda\xb2\xbb\xd5\xfd\xc8\xb7\xa3\xbf\n"},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.argument);
        std::vector<std::string> args = passing();
        args[c.argument] = c.value;
        EXPECT_EQ(run(args), cli::kExitStopped);
        EXPECT_EQ(m_err.str(), "tarnvale-cli: convert: " + c.message);
    }
    EXPECT_EQ(
        run({m_book, "Sheet1$", "--code-column", "Code", "--date", "2024/01/05", "--out", m_out_folder}),
        cli::kExitStopped);
    EXPECT_EQ(m_err.str(),
              "tarnvale-cli: convert: "
              "\xc3\xbb\xd3\xd0\xc9\xe8\xd6\xc3\xc1\xd0\xb6\xd4\xd3\xa6\xb9\xd8\xcf\xb5\xa3\xbf\n");
    EXPECT_FALSE(fs::exists(m_out_folder + "/2024-01-05"));
}

// A .csv of the same data converts to the same files; so does its GBK copy
// of Mixed's second sheet, whose names are Chinese.
TEST_F(ConvertCommandTest, ACsvConvertsAsTheXlsOfTheSameData)
{
    std::vector<std::string> args = passing();
    args[0] = testing_support::dataPath("Quotes.csv");
    args[1] = "quotes.csv";
    args[7] = m_dir.file("csv");
    for (const char* folder : {"csv", "Mixed.xls", "DailyGbk.csv"})
        fs::create_directory(m_dir.file(folder));
    ASSERT_EQ(run(args), cli::kExitDone) << m_err.str();
    EXPECT_EQ(readBytes(m_dir.file("csv") + "/2024-01-05/" + kClose + ".txt"), kCloseLines);
    EXPECT_EQ(readBytes(m_dir.file("csv") + "/2024-01-05/" + kVolume + ".txt"), kVolumeLines);

    const std::string code = "\xb4\xfa\xc2\xeb";              // 代码 (GBK)
    const std::string close = "\xca\xd5\xc5\xcc\x20\xbc\xdb"; // 收盘 价 (GBK)
    for (const auto& [book, table] : {std::pair{"Mixed.xls", "'\xc8\xd5\xcf\xdf\x20\xca\xfd\xbe\xdd$'"},
                                      std::pair{"DailyGbk.csv", "DailyGbk.csv"}}) {
        ASSERT_EQ(run({testing_support::dataPath(book), table, "--code-column", code, "--date", "2024/01/05",
                       "--out", m_dir.file(book), "--map", close + "<->" + kClose}),
                  cli::kExitDone)
            << m_err.str();
    }
    const std::string lines = "SH600000\t2024-01-05\t10.5\r\nSZ000001\t2024-01-05\t9.75\r\n";
    EXPECT_EQ(readBytes(m_dir.file("Mixed.xls") + "/2024-01-05/" + kClose + ".txt"), lines);
    EXPECT_EQ(readBytes(m_dir.file("DailyGbk.csv") + "/2024-01-05/" + kClose + ".txt"), lines);
}

TEST_F(ConvertCommandTest, LinesFollowTheSort)
{
    std::vector<std::string> args = passing();
    args.insert(args.end(), {"--sort", "Vol"});
    ASSERT_EQ(run(args), cli::kExitDone) << m_err.str();
    EXPECT_EQ(readBytes(output(kClose)), "SZ000001\t2024-01-05\t12.25\r\nSH600000\t2024-01-05\t10.5\r\n");
}

TEST_F(ConvertCommandTest, MappingFileLinesComeBeforeTheMapOptions)
{
    const std::string file = m_dir.file("mappings.txt");
    common::saveLineList(file, {"Vol<->first", ""}); // an empty line is passed over
    ASSERT_EQ(run({m_book, "Sheet1$", "--code-column", "code", "--date", "2024/1/5", "--out", m_out_folder,
                   "--mappings", file, "--map", "Close<->second"}),
              cli::kExitDone)
        << m_err.str();
    // The date text is the date as given, slashes turned into dashes.
    const std::string folder = m_dir.file("2024-1-5/");
    EXPECT_EQ(m_out.str(), folder + "first.txt\t2\n" + folder + "second.txt\t2\n");
    EXPECT_EQ(readBytes(folder + "first.txt"), "SH600000\t2024-1-5\t123456\r\nSZ000001\t2024-1-5\t7890\r\n");
}

// The window passes over a mapping line without "<->" or with an empty side;
// on the command line it is a typo to be told about. An empty or missing
// --out is one too.
TEST_F(ConvertCommandTest, MappingsAndTheSaveFolderMustBeWhole)
{
    const std::string file = m_dir.file("mappings.txt");
    for (const std::string line : {"Close-C", "<->C", "Close<->"}) {
        SCOPED_TRACE(line);
        std::vector<std::string> args = passing();
        args[9] = line;
        EXPECT_EQ(run(args), cli::kExitUsage);
        EXPECT_EQ(m_err.str(), "--map: '" + line +
                                   "' is no mapping COLUMN<->NAME (with neither side empty)\n"
                                   "Run with --help for more information.\n");
        common::saveLineList(file, {"Vol<->V", line});
        args.insert(args.end(), {"--mappings", file});
        args[9] = "Close<->C";
        EXPECT_EQ(run(args), cli::kExitStopped);
        EXPECT_EQ(m_err.str(), "tarnvale-cli: convert: " + file + ":2: '" + line +
                                   "' is no mapping COLUMN<->NAME (with neither side empty)\n");
    }
    std::vector<std::string> args = passing();
    args[7] = "";
    EXPECT_EQ(run(args), cli::kExitUsage);
    EXPECT_EQ(m_err.str(), "--out: must not be empty\nRun with --help for more information.\n");
    args.erase(args.begin() + 6, args.begin() + 8);
    EXPECT_EQ(run(args), cli::kExitUsage);
    EXPECT_EQ(m_err.str(), "--out is required\nRun with --help for more information.\n");
    EXPECT_FALSE(fs::exists(m_out_folder + "/2024-01-05"));
}

TEST_F(ConvertCommandTest, FieldsDifferingOnlyInCaseAreFoundByTheirExactNames)
{
    // Mixed's Sheet1 has Close (10.5, 12.25, ...) and close (7, 8, ...).
    ASSERT_EQ(run({testing_support::dataPath("Mixed.xls"), "Sheet1$", "--code-column", "code", "--date",
                   "2024/01/05", "--out", m_out_folder, "--sort", "close DESC", "--map", "close<->c2",
                   "--map", "CLOSE<->c1"}),
              cli::kExitDone)
        << m_err.str();
    EXPECT_EQ(readBytes(output("c2")), "SH600519\t2024-01-05\t11\r\nSZ000001\t2024-01-05\t8\r\n"
                                       "SH600000\t2024-01-05\t7\r\n");
    EXPECT_EQ(readBytes(output("c1")), "SH600519\t2024-01-05\t-2.5\r\nSZ000001\t2024-01-05\t12.25\r\n"
                                       "SH600000\t2024-01-05\t10.5\r\n");
}

TEST_F(ConvertCommandTest, MissingColumnEndsTheRunAfterTheEarlierFiles)
{
    std::vector<std::string> args = passing();
    args[11] = "Missing<->" + kVolume;
    EXPECT_EQ(run(args), cli::kExitStopped);
    EXPECT_EQ(m_err.str(), "tarnvale-cli: convert: ADOQuery1: Field 'Missing' not found\n");
    EXPECT_EQ(readBytes(output(kClose)), kCloseLines);
    EXPECT_FALSE(fs::exists(output(kVolume)));
}

// The workbook, the output and the folders say which they are.
TEST_F(ConvertCommandTest, ErrorsSayWhichFileOrFolder)
{
    const std::string notABook = m_dir.file("notes.xls");
    testing_support::writeBytes(notABook, "just text\n");
    std::vector<std::string> args = passing();
    args[0] = notABook;
    EXPECT_EQ(run(args), cli::kExitStopped);
    EXPECT_EQ(m_err.str(), "tarnvale-cli: convert: Cannot open the workbook \"" + notABook +
                               "\": it is not an Excel 97-2003 workbook (no compound-file signature)\n");

    common::makeFolderWithParents(output(kClose)); // a folder where the output goes
    EXPECT_EQ(run(passing()), cli::kExitStopped);
    EXPECT_EQ(m_err.str(), "tarnvale-cli: convert: Cannot create file \"" + output(kClose) + "\". " +
                               systemText(Failure::Folder) + "\n");

    args = passing();
    args[7] = m_dir.file("none");
    EXPECT_EQ(run(args), cli::kExitStopped);
    EXPECT_EQ(m_err.str(), "tarnvale-cli: convert: cannot enter folder " + m_dir.file("none") + ": " +
                               systemText(Failure::MissingFile) + " (File not found)\n");
}

TEST_F(ConvertCommandTest, UnknownTableIsTheDataLayersError)
{
    std::vector<std::string> args = passing();
    args[1] = "NoSuchSheet$";
    EXPECT_EQ(run(args), cli::kExitStopped);
    EXPECT_NE(m_err.str(), "");
    EXPECT_FALSE(fs::exists(m_out_folder + "/2024-01-05"));
}

} // namespace
