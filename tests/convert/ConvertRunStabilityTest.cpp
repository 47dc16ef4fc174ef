// What the run does with names that would leave the date folder, with a
// relative save folder, and with inputs changed while it processes events.
#include "convert/ConvertRun.h"

#include "FakeConversion.h"
#include "common/Error.h"
#include "common/FileNames.h"
#include "common/FileSystem.h"
#include "support/SystemTexts.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;
using convert_test::FakeHost;
using convert_test::FakeSheet;
using testing_support::readBytes;
using testing_support::TempDir;

namespace {

class ConvertRunStabilityTest : public ::testing::Test {
  protected:
    void SetUp() override { m_previousFolder = common::currentFolder(); }
    void TearDown() override { common::changeCurrentFolder(m_previousFolder); }

    convert::ConvertOptions options(const std::string& saveFolder) const
    {
        return {saveFolder, "2024/01/05", common::CodePage(936)};
    }
    static FakeSheet twoRows()
    {
        return FakeSheet({"Code", "Close", "Vol"}, {{"600000", "10.5", "1200"}, {"000001", "9.87", "3400"}});
    }

    TempDir m_temp;
    FakeHost m_host;

  private:
    std::string m_previousFolder;
};

TEST_F(ConvertRunStabilityTest, NameThatWouldLeaveTheDateFolderIsRefused)
{
    const char* const names[] = {"../escaped", "sub/name", "/abs", ".", ".."};
    for (const char* name : names) {
        SCOPED_TRACE(name);
        FakeSheet sheet = twoRows();
        FakeHost host;
        host.mappings = {"Close<->first", std::string("Vol<->") + name, "Close<->never"};
        const std::string dateFolder = m_temp.file("2024-01-05");
        fs::create_directories(dateFolder + "/sub");
        try {
            convert::runConversion(options(m_temp.path().string()), sheet, host);
            ADD_FAILURE() << "no error";
        } catch (const common::Error& error) {
            EXPECT_EQ(std::string(error.what()),
                      "Cannot create file \"" + dateFolder + common::pathSeparator() + name + ".txt\". " +
                          testing_support::systemText(testing_support::Failure::InvalidName));
        }
        EXPECT_TRUE(fs::exists(dateFolder + "/first.txt"));
        EXPECT_FALSE(fs::exists(dateFolder + "/never.txt"));
        EXPECT_FALSE(fs::exists(m_temp.file("escaped.txt")));
        EXPECT_FALSE(fs::exists(dateFolder + "/sub/name.txt"));
        EXPECT_FALSE(fs::exists("/abs.txt"));
        EXPECT_EQ(host.dataSourceSwitches, (std::vector<bool>{false, true}));
        common::changeCurrentFolder(m_temp.path().string());
        fs::remove_all(dateFolder);
    }
}

TEST_F(ConvertRunStabilityTest, RelativeSaveFolderIsTakenOnceFromWhereTheRunStarted)
{
    fs::create_directory(m_temp.file("out"));
    common::changeCurrentFolder(m_temp.path().string());
    FakeSheet sheet = twoRows();
    m_host.mappings = {"Close<->a", "Vol<->b"};
    const auto written = convert::runConversion(options("out"), sheet, m_host);
    const std::string dateFolder = m_temp.file("out/2024-01-05");
    EXPECT_EQ(readBytes(dateFolder + "/a.txt"),
              "SH600000\t2024-01-05\t10.5\r\nSZ000001\t2024-01-05\t9.87\r\n");
    EXPECT_EQ(readBytes(dateFolder + "/b.txt"),
              "SH600000\t2024-01-05\t1200\r\nSZ000001\t2024-01-05\t3400\r\n");
    ASSERT_EQ(written.size(), 2u);
    EXPECT_EQ(written[1].path, m_temp.file("out/2024-01-05/b.txt"));
}

TEST_F(ConvertRunStabilityTest, ChangesToTheListAndCodeColumnDuringTheRunChangeNothing)
{
    FakeSheet sheet = twoRows();
    m_host.mappings = {"Close<->a", "Vol<->b"};
    m_host.onRow = [this] {
        // What a user could do while the run lets window events through.
        m_host.mappings.clear();
        m_host.mappings.push_back("Vol<->intruder");
        m_host.code = "Vol";
    };
    convert::runConversion(options(m_temp.path().string()), sheet, m_host);
    const std::string dateFolder = m_temp.file("2024-01-05");
    EXPECT_EQ(readBytes(dateFolder + "/a.txt"),
              "SH600000\t2024-01-05\t10.5\r\nSZ000001\t2024-01-05\t9.87\r\n");
    EXPECT_EQ(readBytes(dateFolder + "/b.txt"),
              "SH600000\t2024-01-05\t1200\r\nSZ000001\t2024-01-05\t3400\r\n");
    EXPECT_FALSE(fs::exists(dateFolder + "/intruder.txt"));
}

TEST_F(ConvertRunStabilityTest, DateFolderNameTakenByAFileRaisesTheIoError)
{
    testing_support::writeBytes(m_temp.file("2024-01-05"), "a file, not a folder");
    FakeSheet sheet = twoRows();
    m_host.mappings = {"Close<->a"};
    try {
        convert::runConversion(options(m_temp.path().string()), sheet, m_host);
        FAIL() << "no error";
    } catch (const common::Error& error) {
        EXPECT_EQ(error.kind(), common::Error::Kind::Io);
        EXPECT_STREQ(error.what(), "I/O error 183");
    }
    EXPECT_EQ(readBytes(m_temp.file("2024-01-05")), "a file, not a folder");
}

} // namespace
