// Line-list files byte for byte: splitting, saving over old files, and every failure message.
#include "common/LineList.h"

#include "common/Error.h"
#include "support/TestSupport.h"
#include "support/Unprivileged.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using testing_support::entryCount;
using testing_support::errorOf;
using testing_support::readBytes;
using testing_support::TempDir;
using testing_support::writeBytes;
using Lines = std::vector<std::string>;

namespace {

TEST(LineList, SplitTable)
{
    const struct {
        std::string bytes;
        Lines lines;
    } cases[] = {
        {"a\rb", {"a", "b"}},
        {"a\n\rb", {"a", "", "b"}},
        {"a\r\n", {"a"}},
        {std::string("a\0b", 3), {"a"}},
        {"", {}},
        {"\r\n", {""}},
        {"\r\n\r\n", {"", ""}},
        {"a", {"a"}},
        {"a\r\r\nb\n", {"a", "", "b"}},
        {std::string("\0a", 2), {}},
        {"\xD5\x5C\r\n\xCA\xD5", {"\xD5\x5C", "\xCA\xD5"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(common::splitLineList(c.bytes), c.lines) << c.bytes;
}

TEST(LineList, SaveWritesEveryLineWithCrLf)
{
    TempDir dir;
    const std::string path = dir.file("list.txt");
    common::saveLineList(path, {"x"});
    EXPECT_EQ(readBytes(path), "x\r\n");
    common::saveLineList(path, {});
    EXPECT_EQ(readBytes(path), "");
    common::saveLineList(path, {"", "Close<->\xCA\xD5\xC5\xCC", ""});
    EXPECT_EQ(readBytes(path), "\r\nClose<->\xCA\xD5\xC5\xCC\r\n\r\n");
}

TEST(LineList, SaveOverALongerFileLeavesNoTraceOfIt)
{
    TempDir dir;
    const std::string path = dir.file("list.txt");
    writeBytes(path, std::string(1000, 'o'));
    common::saveLineList(path, {"ab"});
    EXPECT_EQ(readBytes(path), "ab\r\n");
    EXPECT_EQ(entryCount(dir.path()), 1u); // no temporary file left behind
}

TEST(LineList, SaveAndLoadRoundTrip)
{
    TempDir dir;
    const Lines lines = {"A<->B", "", "\xD5\x5C"};
    common::saveLineList(dir.file("m.txt"), lines);
    EXPECT_EQ(common::loadLineList(dir.file("m.txt")), lines);
}

TEST(LineList, SaveIntoAMissingFolderNamesTheFullPath)
{
    TempDir dir;
    const std::string path = dir.file("none/list.txt");
    EXPECT_EQ(errorOf([&] { common::saveLineList(path, {"x"}); }),
              "Cannot create file \"" + path + "\". No such file or directory");
}

TEST(LineList, RelativeNamesAreCompletedAgainstTheCurrentFolder)
{
    TempDir dir;
    const std::filesystem::path saved = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    const std::string expected = std::filesystem::current_path().string() + "/none/a.txt";
    const std::string createMessage = errorOf([] { common::saveLineList("none/a.txt", {"x"}); });
    const std::string openMessage = errorOf([] { common::loadLineList("none/a.txt"); });
    std::filesystem::current_path(saved);
    EXPECT_EQ(createMessage, "Cannot create file \"" + expected + "\". No such file or directory");
    EXPECT_EQ(openMessage, "Cannot open file \"" + expected + "\". No such file or directory");
}

TEST(LineList, SaveOverAFolderOrAReadOnlyFileFailsAndKeepsIt)
{
    TempDir dir;
    std::filesystem::create_directory(dir.file("sub"));
    EXPECT_EQ(errorOf([&] { common::saveLineList(dir.file("sub"), {"x"}); }),
              "Cannot create file \"" + dir.file("sub") + "\". Is a directory");
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("sub")));
    testing_support::openToEveryone(dir.path());
    writeBytes(dir.file("ro.txt"), "old\r\n");
    ::chmod(dir.file("ro.txt").c_str(), 0444);
    const std::string expected = "Cannot create file \"" + dir.file("ro.txt") + "\". Permission denied";
    const int unprivileged = testing_support::runUnprivileged([&] {
        return errorOf([&] { common::saveLineList(dir.file("ro.txt"), {"new"}); }) == expected ? 0 : 1;
    });
    SKIP_IF_NOT_RUN(unprivileged);
    EXPECT_EQ(unprivileged, 0);
    EXPECT_EQ(readBytes(dir.file("ro.txt")), "old\r\n");
}

TEST(LineList, SaveKeepsTheModeOfTheFileItReplaces)
{
    TempDir dir;
    writeBytes(dir.file("m.txt"), "old");
    ::chmod(dir.file("m.txt").c_str(), 0640);
    common::saveLineList(dir.file("m.txt"), {"new"});
    struct stat info {};
    ASSERT_EQ(::stat(dir.file("m.txt").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST(LineList, SaveThroughASymbolicLinkWritesItsTarget)
{
    TempDir dir;
    writeBytes(dir.file("real.txt"), "old");
    std::filesystem::create_symlink(dir.file("real.txt"), dir.file("link.txt"));
    common::saveLineList(dir.file("link.txt"), {"new"});
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.txt")));
    EXPECT_EQ(readBytes(dir.file("real.txt")), "new\r\n");
}

TEST(LineList, SaveInAReadOnlyFolderOverwritesAWritableFile)
{
    TempDir dir;
    testing_support::openToEveryone(dir.path());
    std::filesystem::create_directory(dir.file("ro"));
    writeBytes(dir.file("ro/list.txt"), "old old old");
    ::chmod(dir.file("ro/list.txt").c_str(), 0666);
    ::chmod(dir.file("ro").c_str(), 0555);
    const std::string refused = "Cannot create file \"" + dir.file("ro/new.txt") + "\". Permission denied";
    const int unprivileged = testing_support::runUnprivileged([&] {
        if (errorOf([&] { common::saveLineList(dir.file("ro/list.txt"), {"x"}); }) !=
            testing_support::kNoError)
            return 1;
        return errorOf([&] { common::saveLineList(dir.file("ro/new.txt"), {"x"}); }) == refused ? 0 : 2;
    });
    SKIP_IF_NOT_RUN(unprivileged);
    EXPECT_EQ(unprivileged, 0);
    EXPECT_EQ(readBytes(dir.file("ro/list.txt")), "x\r\n");
}

TEST(LineList, AFullDiskGivesStreamWriteErrorAndKeepsTheOldFile)
{
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    // /dev/full takes the open and refuses every write with ENOSPC; reached
    // through a link, the save writes it in place since /dev takes no new file.
    TempDir dir;
    testing_support::openToEveryone(dir.path());
    std::filesystem::create_symlink("/dev/full", dir.file("full"));
    const int unprivileged = testing_support::runUnprivileged([&] {
        return errorOf([&] { common::saveLineList(dir.file("full"), {"x"}); }) == common::kStreamWriteError
                   ? 0
                   : 1;
    });
    SKIP_IF_NOT_RUN(unprivileged);
    EXPECT_EQ(unprivileged, 0);
}

TEST(LineList, LoadFailuresNameTheFile)
{
    TempDir dir;
    EXPECT_EQ(errorOf([&] { common::loadLineList(dir.file("missing.txt")); }),
              "Cannot open file \"" + dir.file("missing.txt") + "\". No such file or directory");
    EXPECT_EQ(errorOf([&] { common::loadLineList(dir.path().string()); }),
              "Cannot open file \"" + dir.path().string() + "\". Is a directory");
}

TEST(LineList, LoadReadsBytesAsTheyAre)
{
    TempDir dir;
    writeBytes(dir.file("m.txt"), "\xEF\xBB\xBF"
                                  "a\n\rb");
    EXPECT_EQ(common::loadLineList(dir.file("m.txt")), (Lines{"\xEF\xBB\xBF"
                                                              "a",
                                                              "", "b"}));
}

} // namespace
