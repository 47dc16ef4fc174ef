// Checking and tidying record files: crafted files with duplicated days,
// records out of order, an incomplete record at the end, none at all.
#include "import/RecordFileCheck.h"
#include "import/RecordFileTidy.h"

#include "common/ErrorWhere.h"
#include "common/FileSystem.h"
#include "import/CustomDataRecord.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using namespace importer;
using testing_support::readBytes;
using testing_support::TempDir;
using testing_support::writeBytes;
namespace fs = std::filesystem;

namespace {

constexpr std::int32_t kDay = 86400;
constexpr std::int32_t k0105 = 1704412800; // 2024-01-05

// Records of (day after 2024-01-05, value).
std::string records(std::initializer_list<std::pair<std::int32_t, float>> list)
{
    std::string bytes;
    for (const auto& [day, value] : list) {
        const RecordBytes record = encodeRecord({k0105 + day * kDay, value});
        bytes.append(reinterpret_cast<const char*>(record.data()), record.size());
    }
    return bytes;
}

TEST(RecordFileCheck, ReportsDuplicatesDisorderAndTrailingBytesAndTidies)
{
    const struct {
        const char* what;
        std::string bytes;
        std::size_t records, duplicates, outOfOrder, trailing;
        std::string tidy;
    } cases[] = {
        {"empty", "", 0, 0, 0, 0, ""},
        {"in order", records({{0, 1}, {1, 2}}), 2, 0, 0, 0, records({{0, 1}, {1, 2}})},
        {"a day twice: the later record stays", records({{0, 1}, {1, 2}, {1, 3}}), 3, 1, 0, 0,
         records({{0, 1}, {1, 3}})},
        {"a day imported again after later ones", records({{0, 1}, {1, 2}, {0, 5}, {1, 6}}), 4, 2, 1, 0,
         records({{0, 5}, {1, 6}})},
        {"out of order", records({{2, 1}, {0, 2}, {1, 3}}), 3, 0, 1, 0, records({{0, 2}, {1, 3}, {2, 1}})},
        {"8k+3 bytes", records({{0, 1}, {1, 2}}) + "\x01\x02\x03", 2, 0, 0, 3, records({{0, 1}, {1, 2}})},
        {"3 bytes", "\x01\x02\x03", 0, 0, 0, 3, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const RecordFileReport report = checkRecordBytes(c.bytes, TimeReading::Signed);
        EXPECT_EQ(report.records, c.records);
        EXPECT_EQ(report.duplicates, c.duplicates);
        EXPECT_EQ(report.outOfOrder, c.outOfOrder);
        EXPECT_EQ(report.trailingBytes, c.trailing);
        EXPECT_EQ(report.hasProblem(), c.duplicates + c.outOfOrder + c.trailing != 0);
        EXPECT_EQ(tidyRecordBytes(c.bytes, TimeReading::Signed), c.tidy);
        if (c.records != 0) {
            EXPECT_EQ(report.firstSeconds, k0105);
        }
    }
}

// 1969-12-31 and 2040-01-01 (stored as 80 7E AA 83): which comes first
// depends on how the times are read.
TEST(RecordFileCheck, TheReadingOfTimesDecidesTheOrder)
{
    const std::string before1970("\x80\xAE\xFE\xFF\x00\x00\x80\x3F", 8);
    const std::string in2040("\x80\x7E\xAA\x83\x00\x00\x00\x40", 8);
    const std::string bytes = in2040 + before1970;
    const RecordFileReport asSigned = checkRecordBytes(bytes, TimeReading::Signed);
    EXPECT_EQ(asSigned.firstSeconds, -2085978496); // 1903-11-25 17:31:44
    EXPECT_EQ(asSigned.lastSeconds, -86400);
    EXPECT_EQ(asSigned.outOfOrder, 0u);
    EXPECT_EQ(asSigned.negativeTimes, 2u);
    const RecordFileReport asUnsigned = checkRecordBytes(bytes, TimeReading::Unsigned);
    EXPECT_EQ(asUnsigned.firstSeconds, 2208988800); // 2040-01-01
    EXPECT_EQ(asUnsigned.outOfOrder, 0u);
    EXPECT_EQ(tidyRecordBytes(bytes, TimeReading::Signed), bytes);
    EXPECT_EQ(checkRecordBytes(before1970 + in2040, TimeReading::Signed).outOfOrder, 1u);
}

TEST(RecordFileTidy, RewritesOnlyWhatNeedsIt)
{
    TempDir dir;
    const std::string messy = records({{1, 2}, {0, 1}, {1, 3}}) + "\x01";
    writeBytes(dir.file("A.adt"), messy);
    writeBytes(dir.file("B.adt"), records({{0, 1}}));
    const auto identityOfB = common::fileIdentity(dir.file("B.adt"));

    TidyOutcome dry = tidyRecordFile(dir.file("A.adt"), TimeReading::Signed, true);
    EXPECT_TRUE(dry.changed);
    EXPECT_EQ(dry.recordsAfter, 2u);
    EXPECT_EQ(readBytes(dir.file("A.adt")), messy);

    TidyOutcome done = tidyRecordFile(dir.file("A.adt"), TimeReading::Signed, false);
    EXPECT_TRUE(done.changed);
    EXPECT_EQ(done.before.duplicates, 1u);
    EXPECT_EQ(readBytes(dir.file("A.adt")), records({{0, 1}, {1, 3}}));
    EXPECT_FALSE(tidyRecordFile(dir.file("A.adt"), TimeReading::Signed, false).changed);

    EXPECT_FALSE(tidyRecordFile(dir.file("B.adt"), TimeReading::Signed, false).changed);
    EXPECT_EQ(common::fileIdentity(dir.file("B.adt")), identityOfB); // not rewritten
    EXPECT_EQ(testing_support::entryCount(dir.path()), 2u);          // no temporary left
}

TEST(RecordFileCheck, AFolderGivesItsRecordFilesInAnyCaseAndAFileItself)
{
    TempDir dir;
    fs::create_directories(dir.file("cd/PE"));
    for (const char* name : {"cd/PE/A.adt", "cd/PE/B.DAT", "cd/PE/C.txt", "cd/x.bin"})
        writeBytes(dir.file(name), "");
    std::vector<std::string> paths;
    collectRecordFiles(dir.file("cd"), paths, common::CodePage(936));
    std::sort(paths.begin(), paths.end());
    EXPECT_EQ(paths, (std::vector<std::string>{dir.file("cd/PE/A.adt"), dir.file("cd/PE/B.DAT")}));
    paths.clear();
    collectRecordFiles(dir.file("cd/x.bin"), paths, common::CodePage(936));
    EXPECT_EQ(paths, std::vector<std::string>{dir.file("cd/x.bin")});
}

} // namespace
