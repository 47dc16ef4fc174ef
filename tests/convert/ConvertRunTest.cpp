#include "convert/ConvertRun.h"

#include "FakeConversion.h"
#include "common/Error.h"
#include "common/ErrorWhere.h"
#include "common/FileNames.h"
#include "common/FileSystem.h"
#include "support/SystemTexts.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;
using convert_test::FakeHost;
using convert_test::FakeSheet;
using testing_support::Failure;
using testing_support::readBytes;
using testing_support::systemText;
using testing_support::TempDir;

namespace {

const std::string kClose = "\xca\xd5\xc5\xcc";                     // 收盘 (GBK)
const std::string kVolume = "\xb3\xc9\xbd\xbb\xc1\xbf";            // 成交量 (GBK)
const std::string kProgress = "\xd5\xfd\xd4\xda\xd7\xaa\xbb\xbb<"; // 正在转换<

class ConvertRunTest : public ::testing::Test {
  protected:
    void SetUp() override { m_previousFolder = common::currentFolder(); }
    void TearDown() override { common::changeCurrentFolder(m_previousFolder); }

    convert::ConvertOptions options(const std::string& saveFolder) const
    {
        return {saveFolder, "2024/01/05", common::CodePage(936)};
    }
    std::string dateFolder() const { return m_temp.file("2024-01-05"); }
    std::string output(const std::string& name) const
    {
        return dateFolder() + common::pathSeparator() + name + ".txt";
    }

    static FakeSheet threeRows()
    {
        return FakeSheet({"Code", "Close", "Vol"},
                         {{"600000", "10.5", "1200"}, {"000001", "9.87", "3400"}, {"300750", "150", "560"}});
    }

    TempDir m_temp;
    FakeHost m_host;

  private:
    std::string m_previousFolder;
};

TEST_F(ConvertRunTest, WritesOneFileOfQualifyingRowsPerMapping)
{
    FakeSheet sheet = threeRows();
    m_host.mappings = {"Close<->" + kClose, "Vol<->" + kVolume};
    const auto written = convert::runConversion(options(m_temp.path().string()), sheet, m_host);

    EXPECT_EQ(readBytes(output(kClose)), "SH600000\t2024-01-05\t10.5\r\nSZ000001\t2024-01-05\t9.87\r\n");
    EXPECT_EQ(readBytes(output(kVolume)), "SH600000\t2024-01-05\t1200\r\nSZ000001\t2024-01-05\t3400\r\n");
    ASSERT_EQ(written.size(), 2u);
    EXPECT_EQ(written[0].path, output(kClose));
    EXPECT_EQ(written[0].lineCount, 2u);
    EXPECT_EQ(written[1].path, output(kVolume));
    EXPECT_EQ(written[1].rowsWithoutMarket, 1u); // 300750
    EXPECT_EQ(written[1].rowsWithEmptyValue, 0u);
    EXPECT_EQ(common::currentFolder(), dateFolder());
    EXPECT_EQ(m_host.dataSourceSwitches, (std::vector<bool>{false, true}));
}

TEST_F(ConvertRunTest, ReportsProgressForEveryRowWrittenOrNot)
{
    FakeSheet sheet = threeRows();
    m_host.mappings = {"Close<->" + kClose, "Vol<->" + kVolume};
    convert::runConversion(options(m_temp.path().string()), sheet, m_host);

    EXPECT_EQ(m_host.rowsSeen, 6);
    EXPECT_EQ(m_host.progressTexts, (std::vector<std::string>{kProgress + "Close>:1", kProgress + "Close>:2",
                                                              kProgress + "Close>:2", kProgress + "Vol>:1",
                                                              kProgress + "Vol>:2", kProgress + "Vol>:2"}));
}

TEST_F(ConvertRunTest, LeavesOutEmptyValuesAndWritesZero)
{
    FakeSheet sheet({"code", "Close"}, {{"600000", ""}, {"600001", "0"}, {"000002", "0.5"}, {"000002", "7"}});
    m_host.code = "CODE"; // field names match ignoring case
    m_host.mappings = {"close<->c"};
    EXPECT_EQ(convert::runConversion(options(m_temp.path().string()), sheet, m_host).at(0).rowsWithEmptyValue,
              1u);
    EXPECT_EQ(readBytes(output("c")),
              "SH600001\t2024-01-05\t0\r\nSZ000002\t2024-01-05\t0.5\r\nSZ000002\t2024-01-05\t7\r\n");
}

TEST_F(ConvertRunTest, MissingColumnStopsAtItsFirstRowAndKeepsEarlierFiles)
{
    FakeSheet sheet = threeRows();
    m_host.mappings = {"Close<->" + kClose, "X<->x", "Vol<->" + kVolume};
    try {
        convert::runConversion(options(m_temp.path().string()), sheet, m_host);
        FAIL() << "no error";
    } catch (const common::Error& error) {
        EXPECT_STREQ(error.what(), "ADOQuery1: Field 'X' not found");
    }
    EXPECT_EQ(readBytes(output(kClose)), "SH600000\t2024-01-05\t10.5\r\nSZ000001\t2024-01-05\t9.87\r\n");
    EXPECT_FALSE(fs::exists(output("x")));
    EXPECT_FALSE(fs::exists(output(kVolume)));
    EXPECT_EQ(m_host.rowsSeen, 4); // three rows of Close, then the first of X
    EXPECT_EQ(m_host.progressTexts.back(), kProgress + "Close>:2");
    EXPECT_EQ(m_host.dataSourceSwitches, (std::vector<bool>{false, true}));
}

TEST_F(ConvertRunTest, MissingCodeColumnStopsAtTheFirstRow)
{
    FakeSheet sheet = threeRows();
    m_host.code = "Symbol";
    m_host.mappings = {"Close<->" + kClose};
    EXPECT_THROW(
        {
            try {
                convert::runConversion(options(m_temp.path().string()), sheet, m_host);
            } catch (const common::Error& error) {
                EXPECT_STREQ(error.what(), "ADOQuery1: Field 'Symbol' not found");
                throw;
            }
        },
        common::Error);
    EXPECT_FALSE(fs::exists(dateFolder()));
}

TEST_F(ConvertRunTest, SheetWithoutRowsGivesEmptyFilesEvenForMissingColumns)
{
    FakeSheet sheet({"Code", "Close"}, {});
    m_host.mappings = {"Close<->" + kClose, "Nowhere<->n"};
    convert::runConversion(options(m_temp.path().string()), sheet, m_host);
    EXPECT_EQ(readBytes(output(kClose)), "");
    EXPECT_EQ(readBytes(output("n")), "");
    EXPECT_TRUE(m_host.progressTexts.empty());
}

TEST_F(ConvertRunTest, LaterMappingOfTheSameNameReplacesTheFile)
{
    FakeSheet sheet = threeRows();
    m_host.mappings = {"Close<->same", "Vol<->same"};
    convert::runConversion(options(m_temp.path().string()), sheet, m_host);
    EXPECT_EQ(readBytes(output("same")), "SH600000\t2024-01-05\t1200\r\nSZ000001\t2024-01-05\t3400\r\n");
}

TEST_F(ConvertRunTest, ExistingDateFolderIsUsedAndOtherFilesStay)
{
    fs::create_directory(dateFolder());
    testing_support::writeBytes(dateFolder() + "/other.txt", "keep");
    testing_support::writeBytes(output(kClose), "old contents that are longer than the new ones\r\n");
    FakeSheet sheet = threeRows();
    m_host.mappings = {"Close<->" + kClose};
    convert::runConversion(options(m_temp.path().string()), sheet, m_host);
    EXPECT_EQ(readBytes(dateFolder() + "/other.txt"), "keep");
    EXPECT_EQ(readBytes(output(kClose)), "SH600000\t2024-01-05\t10.5\r\nSZ000001\t2024-01-05\t9.87\r\n");
}

TEST_F(ConvertRunTest, MissingSaveFolderFailsAfterTheRowsAndWritesNothing)
{
    FakeSheet sheet = threeRows();
    m_host.mappings = {"<->skipped", "Close<->" + kClose, "Vol<->" + kVolume};
    const std::string missing = m_temp.file("missing");
    try {
        convert::runConversion(options(missing), sheet, m_host);
        FAIL() << "no error";
    } catch (const common::Error& error) {
        EXPECT_EQ(error.kind(), common::Error::Kind::Io);
        EXPECT_STREQ(error.what(), "File not found");
        EXPECT_EQ(common::describeError(error), "cannot enter folder " + missing + ": " +
                                                    systemText(Failure::MissingFile) + " (File not found)");
    }
    EXPECT_EQ(m_host.progressTexts, (std::vector<std::string>{kProgress + "Close>:1", kProgress + "Close>:2",
                                                              kProgress + "Close>:2"}));
    EXPECT_FALSE(fs::exists(missing));
    EXPECT_EQ(m_host.dataSourceSwitches, (std::vector<bool>{false, true}));
}

TEST_F(ConvertRunTest, ADateFolderNameTakenByAFileSaysWhichFolder)
{
    FakeSheet sheet = threeRows();
    m_host.mappings = {"Close<->" + kClose};
    testing_support::writeBytes(dateFolder(), "");
    try {
        convert::runConversion(options(m_temp.path().string()), sheet, m_host);
        FAIL() << "no error";
    } catch (const common::Error& error) {
        EXPECT_EQ(common::describeError(error), "cannot make folder " + dateFolder() + ": " +
                                                    systemText(Failure::Exists) + " (I/O error 183)");
    }
}

TEST_F(ConvertRunTest, LinesWithAnEmptySideTouchNothing)
{
    FakeSheet sheet = threeRows();
    m_host.mappings = {"<->", "Close<->", "<->name", "no separator"};
    const auto written = convert::runConversion(options(m_temp.file("missing")), sheet, m_host);
    EXPECT_TRUE(written.empty());
    EXPECT_EQ(m_host.rowsSeen, 0);
    EXPECT_TRUE(fs::is_empty(m_temp.path()));
    EXPECT_EQ(m_host.dataSourceSwitches, (std::vector<bool>{false, true}));
}

TEST_F(ConvertRunTest, DateTextKeepsEverythingButTheSlashes)
{
    const common::CodePage gbk(936);
    EXPECT_EQ(convert::dateTextOf("2024/01/05", gbk), "2024-01-05");
    EXPECT_EQ(convert::dateTextOf("2024.01.05", gbk), "2024.01.05");
    EXPECT_EQ(convert::dateTextOf("2024/ 1/05", gbk), "2024- 1-05");
}

} // namespace
