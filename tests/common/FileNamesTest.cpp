// Splitting paths into folder, name and extension, double-byte aware, and unsafe entry names.
#include "common/FileNames.h"

#include <gtest/gtest.h>

using common::CodePage;

namespace {

const CodePage kGbk(936);
const CodePage kLatin(1252);

// 誠 in GBK: a trail byte with the value of "\".
const std::string kCheng = "\xD5\x5C";

TEST(FileNames, NamePartKeepsADoubleByteCharacterWhole)
{
    const std::string path = "D:/data/" + kCheng + ".txt";
    EXPECT_EQ(common::namePart(path, kGbk), kCheng + ".txt");
    EXPECT_EQ(common::folderPart(path, kGbk), "D:/data/");
    EXPECT_EQ(common::extensionPart(path, kGbk), ".txt");
}

TEST(FileNames, SplittingRulesTable)
{
    const struct {
        const char* path;
        const char* folder;
        const char* name;
        const char* extension;
    } cases[] = {
        {"c.txt", "", "c.txt", ".txt"},
        {"D:/a.b/c", "D:/a.b/", "c", ""},
        {"/x/y/", "/x/y/", "", ""},
        {"a.tar.gz", "", "a.tar.gz", ".gz"},
        {"noext", "", "noext", ""},
        {"dir/.hidden", "dir/", ".hidden", ".hidden"},
        {"", "", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(common::folderPart(c.path, kGbk), c.folder) << c.path;
        EXPECT_EQ(common::namePart(c.path, kGbk), c.name) << c.path;
        EXPECT_EQ(common::extensionPart(c.path, kGbk), c.extension) << c.path;
    }
}

TEST(FileNames, ByteAfterALeadByteIsNeverADelimiter)
{
    // Not valid GBK, but a "/" or "." that the lead-byte rule makes a trail
    // byte must not split the name.
    const std::string slashTrail = "a/\x81/b";
    EXPECT_EQ(common::namePart(slashTrail, kGbk), "\x81/b");
    EXPECT_FALSE(common::isPathDelimiter(slashTrail, 3, kGbk));
    EXPECT_TRUE(common::isPathDelimiter(slashTrail, 1, kGbk));
    EXPECT_EQ(common::extensionPart("a\x81.b", kGbk), "");
    // Without double-byte rules every byte is a character of its own.
    EXPECT_EQ(common::namePart(slashTrail, kLatin), "b");
    EXPECT_TRUE(common::isPathDelimiter(slashTrail, 3, kLatin));
}

TEST(FileNames, PairedLeadBytesLeaveTheNextSlashADelimiter)
{
    const std::string path = "x\xD5\xD5/y";
    EXPECT_EQ(common::namePart(path, kGbk), "y");
    EXPECT_EQ(common::folderPart(path, kGbk), "x\xD5\xD5/");
}

TEST(FileNames, BackslashIsAnOrdinaryByteHere)
{
    EXPECT_EQ(common::namePart("D:\\data\\c.txt", kLatin), "D:\\data\\c.txt");
    EXPECT_EQ(common::pathSeparator(), '/');
}

TEST(FileNames, UnsafeEntryNames)
{
    const struct {
        std::string name;
        bool unsafe;
    } cases[] = {
        {"SH600000", false},
        {kCheng, false},
        {"\xCA\xD5\xC5\xCC", false},
        {"a.b", false},
        {".", true},
        {"..", true},
        {"a/b", true},
        {"../x", true},
        {"/", true},
        {"\x81/", true},
        {std::string("a\0b", 3), true},
        {"...", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(common::isUnsafeEntryName(c.name, kGbk), c.unsafe) << c.name;
        EXPECT_EQ(common::isUnsafeEntryName(c.name, kLatin), c.unsafe) << c.name;
    }
}

} // namespace
