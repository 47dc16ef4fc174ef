// tarnvale-cli check and tidy on crafted record files: a day twice, records
// out of order, an incomplete record at the end, an empty file.
#include "CliFixture.h"

#include "import/CustomDataRecord.h"
#include "support/SystemTexts.h"

using testing_support::Failure;
using testing_support::readBytes;
using testing_support::systemText;
using namespace cli_test;

namespace {

// Records of (days after 2024-01-04, value).
std::string records(std::initializer_list<std::pair<int, float>> list)
{
    std::string bytes;
    for (const auto& [day, value] : list) {
        const importer::RecordBytes record = importer::encodeRecord({1704326400 + day * 86400, value});
        bytes.append(reinterpret_cast<const char*>(record.data()), record.size());
    }
    return bytes;
}

class RecordFileCommandsTest : public CliFixture {
  protected:
    void SetUp() override
    {
        CliFixture::SetUp();
        m_files = {input("cd/PE/clean.adt", records({{0, 1}, {1, 2}})),
                   input("cd/PE/twice.adt", records({{0, 1}, {1, 2}, {1, 3}})),
                   input("cd/PE/disorder.adt", records({{1, 2}, {0, 1}})),
                   input("cd/PE/broken.adt", records({{0, 1}}) + "\x01\x02\x03"),
                   input("cd/PE/empty.adt", "")};
    }
    std::vector<std::string> with(std::vector<std::string> args) const
    {
        args.insert(args.end(), m_files.begin(), m_files.end());
        return args;
    }
    std::vector<std::string> m_files;
};

TEST_F(RecordFileCommandsTest, CheckReportsEveryFileAndExits1OnAProblem)
{
    EXPECT_EQ(run(with({"check"})), cli::kExitStopped);
    EXPECT_EQ(m_out.str(), m_files[0] + ": 2 records, 2024-01-04 to 2024-01-05\n" + m_files[1] +
                               ": 3 records, 2024-01-04 to 2024-01-05; problems: 1 duplicate\n" + m_files[2] +
                               ": 2 records, 2024-01-04 to 2024-01-05; problems: 1 out of order\n" +
                               m_files[3] + ": 1 record, 2024-01-04; problems: 3 trailing bytes\n" +
                               m_files[4] + ": 0 records\n");
    EXPECT_EQ(m_err.str(), "check: 5 record files, 3 with problems (tidy puts them right)\n");
    EXPECT_EQ(run({"check", m_files[0], m_files[4]}), cli::kExitDone);
    EXPECT_EQ(run({"check", m_dir.file("none.adt")}), cli::kExitStopped);
    EXPECT_EQ(m_err.str(), "tarnvale-cli: check: cannot read " + m_dir.file("none.adt") + ": " +
                               systemText(Failure::MissingFile) + " (File not found)\n");
}

TEST_F(RecordFileCommandsTest, TidyPutsThemRightAndDryRunOnlySays)
{
    const std::string said = m_files[1] + ": " + "%s3 records to 2 (1 duplicate)\n" + m_files[2] +
                             ": %s2 records to 2 (1 out of order)\n" + m_files[3] +
                             ": %s1 record to 1 (3 trailing bytes)\n";
    const auto saying = [&](const std::string& word) {
        std::string text = said;
        for (std::size_t at; (at = text.find("%s")) != std::string::npos;)
            text.replace(at, 2, word);
        return text;
    };
    EXPECT_EQ(run(with({"tidy", "--dry-run"})), cli::kExitDone);
    EXPECT_EQ(m_out.str(), saying("would tidy: "));
    EXPECT_EQ(m_err.str(), "tidy: 5 record files, 3 would be tidied (dry run: nothing written)\n");
    EXPECT_EQ(readBytes(m_files[1]), records({{0, 1}, {1, 2}, {1, 3}}));

    EXPECT_EQ(run({"tidy", m_cd}), cli::kExitDone); // the folder, searched
    EXPECT_EQ(m_err.str(), "tidy: 5 record files, 3 tidied\n");
    EXPECT_EQ(readBytes(m_files[1]), records({{0, 1}, {1, 3}}));
    EXPECT_EQ(readBytes(m_files[2]), records({{0, 1}, {1, 2}}));
    EXPECT_EQ(readBytes(m_files[3]), records({{0, 1}}));
    EXPECT_EQ(run({"check", m_cd}), cli::kExitDone);
    EXPECT_EQ(m_err.str(), "check: 5 record files, 0 with problems\n");
}

// 2040-01-01 is stored with the top bit set: read as signed it is 1903 and
// stands out of order after 2024; read as unsigned it is in order.
TEST_F(RecordFileCommandsTest, TimesAreReadSignedUnlessUnsignedIsAsked)
{
    const std::string file =
        input("late.adt", records({{0, 1}}) + std::string("\x80\x7E\xAA\x83\x00\x00\x00\x40", 8));
    EXPECT_EQ(run({"check", file}), cli::kExitStopped);
    EXPECT_EQ(m_out.str(),
              file + ": 2 records, 1903-11-25 17:31:44 to 2024-01-04; problems: 1 out of order\n");
    EXPECT_EQ(m_err.str(),
              "check: 1 record file, 1 with problems (tidy puts them right)\n"
              "check: 1 record dated before 1970; if they are meant to be 2038 or later, --unsigned "
              "reads them so\n");
    EXPECT_EQ(run({"check", "--unsigned", file}), cli::kExitDone);
    EXPECT_EQ(m_out.str(), file + ": 2 records, 2024-01-04 to 2040-01-01\n");
}

} // namespace
