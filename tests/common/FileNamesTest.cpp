// Splitting paths into folder, name and extension, double-byte aware, and unsafe entry names.
#include "common/FileNames.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

using common::CodePage;

namespace {

const CodePage kGbk(936);
const CodePage kLatin(1252);

// 誠 in GBK: a trail byte with the value of "\".
const std::string kCheng = "\xD5\x5C";

// Paths are written with "/" and turned into the system's separator, so that
// the same rules are checked on every system.
using testing_support::nativePath;

bool onWindows()
{
    return common::pathSeparator() == '\\';
}

TEST(FileNames, NamePartKeepsADoubleByteCharacterWhole)
{
    const std::string path = nativePath("D:/data/") + kCheng + ".txt";
    EXPECT_EQ(common::namePart(path, kGbk), kCheng + ".txt");
    EXPECT_EQ(common::folderPart(path, kGbk), nativePath("D:/data/"));
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
        const std::string path = nativePath(c.path);
        EXPECT_EQ(common::folderPart(path, kGbk), nativePath(c.folder)) << path;
        EXPECT_EQ(common::namePart(path, kGbk), nativePath(c.name)) << path;
        EXPECT_EQ(common::extensionPart(path, kGbk), c.extension) << path;
    }
}

TEST(FileNames, ByteAfterALeadByteIsNeverADelimiter)
{
    // Not valid GBK, but a delimiter or "." that the lead-byte rule makes a
    // trail byte must not split the name.
    const std::string slashTrail = nativePath("a/\x81/b");
    EXPECT_EQ(common::namePart(slashTrail, kGbk), nativePath("\x81/b"));
    EXPECT_FALSE(common::isPathDelimiter(slashTrail, 3, kGbk));
    EXPECT_TRUE(common::isPathDelimiter(slashTrail, 1, kGbk));
    EXPECT_EQ(common::extensionPart("a\x81.b", kGbk), "");
    // Without double-byte rules every byte is a character of its own.
    EXPECT_EQ(common::namePart(slashTrail, kLatin), "b");
    EXPECT_TRUE(common::isPathDelimiter(slashTrail, 3, kLatin));
}

TEST(FileNames, PairedLeadBytesLeaveTheNextSlashADelimiter)
{
    const std::string path = nativePath("x\xD5\xD5/y");
    EXPECT_EQ(common::namePart(path, kGbk), "y");
    EXPECT_EQ(common::folderPart(path, kGbk), nativePath("x\xD5\xD5/"));
}

TEST(FileNames, OnlyTheSystemsDelimitersSplitAndAnchor)
{
    // Windows: "\" and ":" delimit, "/" does not (though its calls take it);
    // POSIX: "/" alone, and "\" and ":" are bytes of a name.
    const bool windows = onWindows();
    EXPECT_EQ(common::namePart("D:\\data\\c.txt", kLatin), windows ? "c.txt" : "D:\\data\\c.txt");
    EXPECT_EQ(common::namePart("D:c.txt", kLatin), windows ? "c.txt" : "D:c.txt");
    EXPECT_EQ(common::namePart("a/b", kLatin), windows ? "a/b" : "b");
    const struct {
        const char* path;
        bool posix;
        bool windows;
    } absolute[] = {
        {"/x", true, false},   {"\\x", false, false}, {"C:\\x", false, true},
        {"C:/x", false, true}, {"C:x", false, false}, {"\\\\server\\share", false, true},
        {"x/y", false, false}, {"", false, false},
    };
    for (const auto& c : absolute)
        EXPECT_EQ(common::isAbsolutePath(c.path), windows ? c.windows : c.posix) << c.path;
}

TEST(FileNames, UnsafeEntryNames)
{
    // A POSIX kernel splits at every "/" byte; Windows splits at "\", "/"
    // and ":" where they are characters of their own (GBK: not trail bytes).
    const struct {
        std::string name;
        bool posix;
        bool windowsGbk;
        bool windowsLatin;
    } cases[] = {
        {"SH600000", false, false, false},
        {kCheng, false, false, true},
        {"\xCA\xD5\xC5\xCC", false, false, false},
        {"a.b", false, false, false},
        {".", true, true, true},
        {"..", true, true, true},
        {"a/b", true, true, true},
        {"../x", true, true, true},
        {"/", true, true, true},
        {"\x81/", true, true, true},
        {std::string("a\0b", 3), true, true, true},
        {std::string("\x81\0", 2), true, true, true},
        {"...", false, false, false},
        {"a\\b", false, true, true},
        {"SH:600000", false, true, true},
        {"\xD5:", false, true, true},
    };
    const bool windows = onWindows();
    for (const auto& c : cases) {
        EXPECT_EQ(common::isUnsafeEntryName(c.name, kGbk), windows ? c.windowsGbk : c.posix) << c.name;
        EXPECT_EQ(common::isUnsafeEntryName(c.name, kLatin), windows ? c.windowsLatin : c.posix) << c.name;
    }
}

} // namespace
