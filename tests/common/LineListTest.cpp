// Line-list files byte for byte: splitting, saving over old files, and every failure message.
#include "common/LineList.h"

#include "common/Error.h"
#include "support/SystemTexts.h"
#include "support/TestSupport.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

using testing_support::entryCount;
using testing_support::errorOf;
using testing_support::Failure;
using testing_support::readBytes;
using testing_support::systemText;
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
              "Cannot create file \"" + path + "\". " + systemText(Failure::MissingFolder));
}

TEST(LineList, RelativeNamesAreCompletedAgainstTheCurrentFolder)
{
    TempDir dir;
    const std::filesystem::path saved = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    const std::string relative = testing_support::nativePath("none/a.txt");
    const std::string expected =
        std::filesystem::current_path().string() + testing_support::nativePath("/") + relative;
    const std::string createMessage = errorOf([&] { common::saveLineList(relative, {"x"}); });
    const std::string openMessage = errorOf([&] { common::loadLineList(relative); });
    std::filesystem::current_path(saved);
    EXPECT_EQ(createMessage,
              "Cannot create file \"" + expected + "\". " + systemText(Failure::MissingFolder));
    EXPECT_EQ(openMessage, "Cannot open file \"" + expected + "\". " + systemText(Failure::MissingFolder));
}

TEST(LineList, SaveOverAFolderFailsAndKeepsIt)
{
    TempDir dir;
    std::filesystem::create_directory(dir.file("sub"));
    EXPECT_EQ(errorOf([&] { common::saveLineList(dir.file("sub"), {"x"}); }),
              "Cannot create file \"" + dir.file("sub") + "\". " + systemText(Failure::Folder));
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("sub")));
}

TEST(LineList, LoadFailuresNameTheFile)
{
    TempDir dir;
    EXPECT_EQ(errorOf([&] { common::loadLineList(dir.file("missing.txt")); }),
              "Cannot open file \"" + dir.file("missing.txt") + "\". " + systemText(Failure::MissingFile));
    EXPECT_EQ(errorOf([&] { common::loadLineList(dir.path().string()); }),
              "Cannot open file \"" + dir.path().string() + "\". " + systemText(Failure::Folder));
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
