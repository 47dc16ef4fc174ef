// The run over the real sheet query of the Quotes fixture (Code, Close, Vol;
// rows 600000, 000001, 300750), live and copied, after a sort, and on through
// the import to the record bytes.
#include "FakeConversion.h"
#include "common/FileSystem.h"
#include "convert/ConvertRun.h"
#include "convert/QueryRowSource.h"
#include "import/ImportRun.h"
#include "support/TestSupport.h"
#include "workbook/Connection.h"
#include "workbook/ConnectionString.h"
#include "workbook/Query.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;
using convert_test::FakeHost;
using testing_support::readBytes;
using testing_support::TempDir;

namespace {

const common::CodePage kGbk(936);
const std::string kClose = "\xca\xd5\xc5\xcc";          // 收盘 (GBK)
const std::string kVolume = "\xb3\xc9\xbd\xbb\xc1\xbf"; // 成交量 (GBK)
const std::string kCloseLines = "SH600000\t2024-01-05\t10.5\r\nSZ000001\t2024-01-05\t12.25\r\n";
const std::string kVolumeLines = "SH600000\t2024-01-05\t123456\r\nSZ000001\t2024-01-05\t7890\r\n";

class ConvertFromWorkbookTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        m_previousFolder = common::currentFolder();
        m_connection.setConnectionString(
            workbook::connectionStringFor(testing_support::dataPath("Quotes.xls")));
        m_connection.setLoginPrompt(false);
        m_connection.open();
        m_query.setStatement("SELECT * FROM [Sheet1$]");
        m_query.open();
        m_host.mappings = {"Close<->" + kClose, "Vol<->" + kVolume};
    }
    void TearDown() override { common::changeCurrentFolder(m_previousFolder); }

    void convert(convert::RowSource& rows)
    {
        convert::runConversion({m_out.path().string(), "2024/01/05", kGbk}, rows, m_host);
    }
    std::string output(const std::string& name) const
    {
        return m_out.path().string() + "/2024-01-05/" + name + ".txt";
    }

    TempDir m_out;
    workbook::Connection m_connection{kGbk, common::RegionalSettings{}, common::fixedYear(2026)};
    workbook::Query m_query{m_connection};
    FakeHost m_host;

  private:
    std::string m_previousFolder;
};

TEST_F(ConvertFromWorkbookTest, WorkedExampleOverTheLiveQuery)
{
    convert::QueryRowSource rows(m_query);
    convert(rows);
    EXPECT_EQ(readBytes(output(kClose)), kCloseLines);
    EXPECT_EQ(readBytes(output(kVolume)), kVolumeLines);
}

TEST_F(ConvertFromWorkbookTest, CopyGivesTheSameFilesAndLeavesTheCursorAlone)
{
    m_query.moveTo(1);
    convert::RowSnapshot rows(m_query, kGbk);
    EXPECT_EQ(rows.rowCount(), 3u);
    convert(rows);
    EXPECT_EQ(readBytes(output(kClose)), kCloseLines);
    EXPECT_EQ(readBytes(output(kVolume)), kVolumeLines);
    EXPECT_EQ(m_query.currentRow(), 1u);
}

TEST_F(ConvertFromWorkbookTest, CopyKeepsTheRowsOfTheClickWhateverHappensLater)
{
    convert::RowSnapshot rows(m_query, kGbk);
    // What a title click or another sheet would do while the run processes events.
    m_host.onRow = [this] { m_query.setSort("Vol"); };
    convert(rows);
    EXPECT_EQ(readBytes(output(kClose)), kCloseLines);
}

TEST_F(ConvertFromWorkbookTest, CopyFindsFieldsIgnoringCaseAndNamesTheQueryWhenOneIsMissing)
{
    convert::RowSnapshot rows(m_query, kGbk);
    EXPECT_EQ(rows.fieldIndex("vOL"), 2u);
    try {
        rows.fieldIndex("Open");
        FAIL() << "no error";
    } catch (const common::Error& error) {
        EXPECT_STREQ(error.what(), "ADOQuery1: Field 'Open' not found");
    }
}

TEST_F(ConvertFromWorkbookTest, CopyOfAClosedQueryIsClosed)
{
    m_query.close();
    convert::RowSnapshot rows(m_query, kGbk);
    EXPECT_FALSE(rows.isOpen());
    rows.first();
    EXPECT_TRUE(rows.eof());
}

TEST_F(ConvertFromWorkbookTest, LinesFollowTheSortOfThePreview)
{
    m_query.setSort("Vol");
    convert::RowSnapshot rows(m_query, kGbk);
    convert(rows);
    EXPECT_EQ(readBytes(output(kClose)), "SZ000001\t2024-01-05\t12.25\r\nSH600000\t2024-01-05\t10.5\r\n");
    EXPECT_EQ(readBytes(output(kVolume)), "SZ000001\t2024-01-05\t7890\r\nSH600000\t2024-01-05\t123456\r\n");
}

class ImportAllHost : public importer::ImportHost {
  public:
    explicit ImportAllHost(std::vector<std::string> entries) : m_entries(std::move(entries))
    {
        m_settings.shortDateFormat = "yyyy/M/d";
    }
    std::size_t entryCount() override { return m_entries.size(); }
    std::string entry(std::size_t position) override { return m_entries.at(position); }
    importer::ImportTarget target() override { return importer::ImportTarget::FeiHu; }
    void progress(const std::string&) override {}
    void message(const std::string& text) override { messages.push_back(text); }
    const common::RegionalSettings& settings() override { return m_settings; }

    std::vector<std::string> messages;

  private:
    std::vector<std::string> m_entries;
    common::RegionalSettings m_settings;
};

TEST_F(ConvertFromWorkbookTest, ImportOfTheWrittenFilesGivesTheRecords)
{
    convert::RowSnapshot rows(m_query, kGbk);
    const auto written = convert::runConversion({m_out.path().string(), "2024/01/05", kGbk}, rows, m_host);
    TempDir customData;
    ImportAllHost importHost({written[0].path, written[1].path});
    importer::runImport({customData.path().string(), kGbk, 2026}, importHost);
    EXPECT_TRUE(importHost.messages.empty());

    // 2024-01-05 00:00 is 1704412800 seconds after 1970 (80 46 97 65 little-endian).
    const std::string folder = customData.path().string() + "/";
    EXPECT_EQ(readBytes(folder + kClose + "/SH600000.adt"),
              std::string("\x80\x46\x97\x65\x00\x00\x28\x41", 8));
    EXPECT_EQ(readBytes(folder + kClose + "/SZ000001.adt"),
              std::string("\x80\x46\x97\x65\x00\x00\x44\x41", 8));
    EXPECT_EQ(readBytes(folder + kVolume + "/SH600000.adt"),
              std::string("\x80\x46\x97\x65\x00\x20\xf1\x47", 8));
    EXPECT_EQ(readBytes(folder + kVolume + "/SZ000001.adt"),
              std::string("\x80\x46\x97\x65\x00\x90\xf6\x45", 8));
    EXPECT_FALSE(fs::exists(folder + kClose + "/300750.adt"));
}

} // namespace
