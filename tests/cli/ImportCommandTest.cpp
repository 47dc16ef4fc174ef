// tarnvale-cli import for daily batches: the summary and its counts,
// --verbose, --strict, --quiet and --skip-existing.
#include "CliFixture.h"

using testing_support::readBytes;
using namespace cli_test;

namespace {

class ImportCommandTest : public CliFixture {};

// Two days of three stocks, and a few bad lines.
const std::string kDay1 =
    "SH600000\t2024-01-04\t10.5\r\nSZ000001\t2024-01-04\t9.5\r\nSH600519\t2024-01-04\t1700\r\n";
const std::string kDay2 = "SH600000\t2024-01-05\t10.75\r\nSZ000001\t2024-01-05\t9.25\r\n"
                          "SH600001\t2024-01-05\r\nSH600002\t01/05/2024\t1\r\nSH600003\t2024-01-05\t1,5\r\n";

TEST_F(ImportCommandTest, TheSummaryCountsWhatWasDoneAndWhyLinesWereSkipped)
{
    const std::string day1 = input("2024-01-04/PE.txt", kDay1);
    ASSERT_EQ(run({"import", "--folder", m_cd, day1}), cli::kExitDone);
    EXPECT_EQ(m_err.str(), "import: 1 input file, 3 lines read, 3 records appended\n"
                           "import: record files: 3 created, 0 extended\n"
                           "import: lines skipped: 0\n");
    const std::string day2 = input("2024-01-05/PE.txt", kDay2);
    ASSERT_EQ(run({"import", "--folder", m_cd, day2, day2}), cli::kExitDone);
    EXPECT_EQ(m_err.str(),
              "import: 2 input files, 10 lines read, 4 records appended\n"
              "import: record files: 0 created, 2 extended\n"
              "import: lines skipped: 6 (no second tab 2, date not parsed 2, value not a number 2)\n");
    EXPECT_EQ(m_out.str(), "");
    // No date parsed at all: the locale's date format is named.
    const std::string american = input("us/PE.txt", "SH600000\t01-05-2024\t1\r\n");
    ASSERT_EQ(run({"import", "--folder", m_cd, american}), cli::kExitDone);
    EXPECT_EQ(m_err.str(),
              "import: 1 input file, 1 line read, 0 records appended\n"
              "import: record files: 0 created, 0 extended\n"
              "import: lines skipped: 1 (date not parsed 1)\n"
              "import: dates are read with the locale's short date format yyyy/M/d and separator / "
              "(LC_TIME); lines dated 2024-01-05 need a year-month-day order, as under zh_CN\n");
}

TEST_F(ImportCommandTest, StrictExitsWith3WhenALineWasSkippedForWhatItHolds)
{
    const std::string day1 = input("2024-01-04/PE.txt", kDay1);
    const std::string day2 = input("2024-01-05/PE.txt", kDay2);
    EXPECT_EQ(run({"import", "--folder", m_cd, "--strict", "--quiet", day1}), cli::kExitDone);
    EXPECT_EQ(run({"import", "--folder", m_cd, "--strict", "--quiet", day2}), cli::kExitSkipped);
    EXPECT_EQ(m_err.str(), "tarnvale-cli: import: --strict: 3 line(s) skipped\n");
    // Lines left out as already there are no fault of theirs.
    EXPECT_EQ(run({"import", "--folder", m_cd, "--strict", "--skip-existing", day1}), cli::kExitDone);
}

TEST_F(ImportCommandTest, VerboseListsSkippedLinesTheFirst20OfEachReason)
{
    std::string text = "SH600000\n";
    for (int i = 0; i < 22; ++i)
        text += "SH600000\t1/5/2024\t1\n";
    const std::string file = input("PE.txt", text);
    ASSERT_EQ(run({"import", "--folder", m_cd, "--verbose", file}), cli::kExitDone);
    std::string listed = file + ":1: no second tab\n";
    for (int line = 2; line <= 21; ++line)
        listed += file + ':' + std::to_string(line) + ": date not parsed\n";
    const std::string err = m_err.str();
    EXPECT_TRUE(err.starts_with(listed + "import: 1 input file, 23 lines read, 0 records appended\n")) << err;
    EXPECT_TRUE(err.ends_with("import: past the first 20 lines of a reason, skipped lines are not listed\n"))
        << err;
}

TEST_F(ImportCommandTest, QuietPrintsErrorsOnly)
{
    const std::string file = input("PE.txt", kDay2);
    EXPECT_EQ(run({"import", "--folder", m_cd, "-q", file}), cli::kExitDone);
    EXPECT_EQ(m_err.str(), "");
}

// A day imported twice adds nothing; a day re-run after an error adds what
// is missing. The summary says how many lines were there already.
TEST_F(ImportCommandTest, SkipExistingMakesReRunsSafe)
{
    const std::string day1 = input("2024-01-04/PE.txt", kDay1);
    ASSERT_EQ(run({"import", "--folder", m_cd, "--skip-existing", day1}), cli::kExitDone);
    const std::string first = readBytes(m_cd + "/PE/SH600000.adt");
    ASSERT_EQ(run({"import", "--folder", m_cd, "--skip-existing", day1}), cli::kExitDone);
    EXPECT_EQ(m_err.str(), "import: 1 input file, 3 lines read, 0 records appended\n"
                           "import: record files: 0 created, 0 extended\n"
                           "import: lines skipped: 0\n"
                           "import: lines already in their record files: 3\n");
    EXPECT_EQ(readBytes(m_cd + "/PE/SH600000.adt"), first);

    // The first run stopped at a record file it could not open.
    fs::remove(m_cd + "/PE/SZ000001.adt");
    fs::create_directory(m_cd + "/PE/SZ000001.adt");
    const std::string day2 = input("2024-01-05/PE.txt", kDay2);
    EXPECT_EQ(run({"import", "--folder", m_cd, "--skip-existing", "--quiet", day1, day2}), cli::kExitStopped);
    fs::remove(m_cd + "/PE/SZ000001.adt");
    EXPECT_EQ(run({"import", "--folder", m_cd, "--skip-existing", day1, day2}), cli::kExitDone);
    EXPECT_TRUE(m_err.str().starts_with("import: 2 input files, 8 lines read, 3 records appended\n"
                                        "import: record files: 1 created, 1 extended\n"))
        << m_err.str();
    EXPECT_EQ(readBytes(m_cd + "/PE/SH600000.adt").size(), 16u);
    EXPECT_EQ(readBytes(m_cd + "/PE/SZ000001.adt").size(), 16u);
}

} // namespace
