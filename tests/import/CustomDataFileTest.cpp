// Record files: where an append lands, what is never truncated, and the I/O
// errors of the failing operations.
#include "import/CustomDataFile.h"

#include "common/Error.h"
#include "import/ImportTestSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace importer;
using import_test::bytes;
using import_test::kExampleRecord;
using testing_support::readBytes;
using testing_support::TempDir;
using testing_support::writeBytes;

namespace {

const CustomDataRecord kExample{1200355200, 12.5f};

// Runs `action`, which must throw an I/O error, and gives its code and text.
template <typename Action> std::pair<int, std::string> ioFailure(Action action)
{
    try {
        action();
    } catch (const common::Error& error) {
        EXPECT_EQ(error.kind(), common::Error::Kind::Io);
        return {error.ioCode(), error.what()};
    }
    ADD_FAILURE() << "no error";
    return {0, ""};
}

} // namespace

TEST(CustomDataFile, CreateWritesTheFirstRecordAtOffsetZero)
{
    TempDir dir;
    CustomDataFile file;
    file.create(dir.file("SH600000.adt"));
    file.append(kExample);
    file.close();
    EXPECT_EQ(readBytes(dir.file("SH600000.adt")), kExampleRecord);
}

TEST(CustomDataFile, AppendLandsOnTheLastWholeRecordBoundary)
{
    // Lengths 0, 8k and 8k + 3: the next record goes to 0, 8k and 8k, and
    // the one after it behind it.
    for (std::size_t length : {0u, 16u, 19u, 23u}) {
        TempDir dir;
        std::string old;
        for (std::size_t i = 0; i < length; ++i)
            old += static_cast<char>('a' + i);
        writeBytes(dir.file("f.dat"), old);
        CustomDataFile file;
        file.openForAppending(dir.file("f.dat"));
        file.append(kExample);
        file.append(kExample);
        file.close();
        EXPECT_EQ(readBytes(dir.file("f.dat")),
                  old.substr(0, length / 8 * 8) + kExampleRecord + kExampleRecord)
            << length;
    }
}

TEST(CustomDataFile, OpeningOrCreatingNeverTruncates)
{
    TempDir dir;
    const std::string old = kExampleRecord + kExampleRecord;
    writeBytes(dir.file("f.dat"), old);
    CustomDataFile file;
    file.openForAppending(dir.file("f.dat"));
    file.close();
    file.create(dir.file("f.dat"));
    file.close();
    file.openOrCreate(dir.file("f.dat"));
    file.append(kExample);
    file.close();
    EXPECT_EQ(readBytes(dir.file("f.dat")), old + kExampleRecord);
}

// What a run counts and what it leaves out with skip-existing.
TEST(CustomDataFile, TellsWhetherAnOpenMadeTheFileAndReadsItWhole)
{
    TempDir dir;
    CustomDataFile file;
    std::string bytes = "left over";
    file.openOrCreate(dir.file("f.dat"));
    EXPECT_TRUE(file.created());
    file.readAll(bytes);
    EXPECT_EQ(bytes, "");
    file.append(kExample);
    file.openOrCreate(dir.file("f.dat"));
    EXPECT_FALSE(file.created());
    file.append(kExample);
    file.readAll(bytes);
    EXPECT_EQ(bytes, kExampleRecord + kExampleRecord);
    file.openForAppending(dir.file("f.dat"));
    EXPECT_FALSE(file.created());
    file.close();
    EXPECT_EQ(ioFailure([&] { file.readAll(bytes); }).first, 103);
}

TEST(CustomDataFile, OpenForAppendingAMissingFileFailsAndCreatesNothing)
{
    TempDir dir;
    CustomDataFile file;
    auto [code, text] = ioFailure([&] { file.openForAppending(dir.file("none.dat")); });
    EXPECT_EQ(code, 2);
    EXPECT_EQ(text, "File not found");
    EXPECT_FALSE(std::filesystem::exists(dir.file("none.dat")));
    EXPECT_EQ(ioFailure([&] { file.create(dir.file("no/x.dat")); }).second, "Invalid filename");
}

TEST(CustomDataFile, AFolderAtTheRecordPathIsNoFileAndCannotBeCreated)
{
    TempDir dir;
    std::filesystem::create_directory(dir.file("SH600000.dat"));
    EXPECT_FALSE(CustomDataFile::exists(dir.file("SH600000.dat")));
    CustomDataFile file;
    auto [code, text] = ioFailure([&] { file.create(dir.file("SH600000.dat")); });
    EXPECT_EQ(code, 5);
    EXPECT_EQ(text, "File access denied");
}

TEST(CustomDataFile, FilesAreOpenedByNameInAFolderHeldOpen)
{
    TempDir dir;
    std::filesystem::create_directory(dir.file("PE"));
    std::filesystem::create_directory(dir.file("PE/SZ000001.adt"));
    common::RecordFolder folder;
    folder.open(dir.file("PE/"));
    CustomDataFile file;
    file.openOrCreate(folder, "SH600000.adt");
    file.append(kExample);
    EXPECT_EQ(file.path(), dir.file("PE/SH600000.adt"));
    EXPECT_EQ(ioFailure([&] { file.openOrCreate(folder, "SZ000001.adt"); }).first, 5);
    EXPECT_EQ(readBytes(dir.file("PE/SH600000.adt")), kExampleRecord);
    EXPECT_EQ(ioFailure([&] { folder.open(dir.file("none")); }).first, 2);
}

TEST(CustomDataFile, AppendWithoutAnOpenFileIsError103)
{
    CustomDataFile file;
    EXPECT_EQ(ioFailure([&] { file.append(kExample); }), std::make_pair(103, std::string("I/O error 103")));
}

TEST(CustomDataFile, TheSameRecordAppendedTwiceIsStoredTwice)
{
    TempDir dir;
    CustomDataFile file;
    file.create(dir.file("f.adt"));
    file.append(kExample);
    file.append(CustomDataRecord{-86400, -3.75f});
    file.append(kExample);
    file.close();
    EXPECT_EQ(readBytes(dir.file("f.adt")),
              kExampleRecord + bytes({0x80, 0xAE, 0xFE, 0xFF, 0x00, 0x00, 0x70, 0xC0}) + kExampleRecord);
}
