// Replacing a file through a temporary, on real files: what a refused check,
// a throwing check and a folder that takes no new file leave behind, and
// what the new file keeps of the old one. The line-list and workbook tests
// cover the messages built on it.
#include "common/FileReplace.h"

#include "common/Error.h"
#include "common/FileRead.h"
#include "support/SystemTexts.h"
#include "support/TestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <optional>

using common::ReplaceFailure;
using testing_support::entryCount;
using testing_support::Failure;
using testing_support::readBytes;
using testing_support::systemText;
using testing_support::TempDir;
using testing_support::writeBytes;

namespace {

TEST(FileReplace, TheCheckSeesTheBytesOnTheDiskAndARefusalKeepsTheOldFile)
{
    TempDir dir;
    const std::string path = dir.file("book.xls");
    writeBytes(path, "old");
    std::string seen;
    common::ReplaceOptions options;
    options.check = [&](std::string_view written) -> std::optional<std::string> {
        seen = std::string(written);
        return "cell B7 of worksheet 1";
    };
    const auto failure = common::replaceFile(path, "new bytes", options);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->step, ReplaceFailure::Step::Check);
    EXPECT_EQ(failure->text, "cell B7 of worksheet 1");
    EXPECT_EQ(seen, "new bytes");
    EXPECT_EQ(readBytes(path), "old");
    EXPECT_EQ(entryCount(dir.path()), 1u);
}

TEST(FileReplace, ACheckThatThrowsLeavesNoTemporaryBehind)
{
    TempDir dir;
    const std::string path = dir.file("book.xls");
    writeBytes(path, "old");
    common::ReplaceOptions options;
    options.check = [](std::string_view) -> std::optional<std::string> { throw common::Error("damaged"); };
    EXPECT_THROW(common::replaceFile(path, "new", options), common::Error);
    EXPECT_EQ(readBytes(path), "old");
    EXPECT_EQ(entryCount(dir.path()), 1u);
}

TEST(FileReplace, OneReplaceLockAtATimeForTheFilesOfAFolder)
{
    TempDir dir;
    writeBytes(dir.file("a.xls"), "a");
    writeBytes(dir.file("b.xls"), "b");
    std::optional<common::ReplaceLock> first(std::in_place, dir.file("a.xls"));
    ASSERT_TRUE(first->held());
    EXPECT_FALSE(common::ReplaceLock(dir.file("a.xls"), 50).held());
    EXPECT_FALSE(common::ReplaceLock(dir.file("b.xls"), 50).held());
    first.reset();
    EXPECT_TRUE(common::ReplaceLock(dir.file("a.xls"), 50).held());
}

TEST(FileRead, AFolderAndAMissingFileFailWithTheirCodesAndTheSystemsWords)
{
    TempDir dir;
    try {
        common::readWholeFile(dir.path().string());
        ADD_FAILURE() << "a folder was read";
    } catch (const common::Error& error) {
        EXPECT_EQ(error.ioCode(), 5);
        EXPECT_EQ(error.systemText(), systemText(Failure::Folder));
    }
    try {
        common::readWholeFile(dir.file("none/x.txt"));
        ADD_FAILURE() << "a missing file was read";
    } catch (const common::Error& error) {
        EXPECT_EQ(error.ioCode(), 3);
        EXPECT_EQ(error.systemText(), systemText(Failure::MissingFolder));
    }
}

} // namespace
