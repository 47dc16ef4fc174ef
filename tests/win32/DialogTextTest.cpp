// What the Win32 program makes of texts at its edge: the file dialogs'
// filters and chosen names, the path typed into the folder chooser, the
// application title, the start-up error text.
#include "app/win32/Application.h"
#include "app/win32/FileDialogText.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(DialogTextTest, FiltersBecomeNulSeparatedLists)
{
    EXPECT_EQ(win32::dialogFilter("a|*.txt"), "a\0*.txt\0\0"s);
    EXPECT_EQ(win32::dialogFilter("X|*.xls;*.xlsx|C|*.csv"), "X\0*.xls;*.xlsx\0C\0*.csv\0\0"s);
}

TEST(DialogTextTest, ChosenNamesBecomeFullPaths)
{
    const common::CodePage gbk(936);
    struct Case {
        std::string buffer;
        std::vector<std::string> paths;
    };
    const Case cases[] = {
        {"C:\\d\\a.txt\0\0"s, {"C:\\d\\a.txt"}},
        {"C:\\d\0a.txt\0b.txt\0\0"s, {"C:\\d\\a.txt", "C:\\d\\b.txt"}},
        {"C:\\\0a.txt\0b.txt\0\0"s, {"C:\\a.txt", "C:\\b.txt"}},
        // 誠 (D5 5C) ends the folder: its trail byte is no separator.
        {"C:\\\xD5\x5C\0a.txt\0b.txt\0\0"s, {"C:\\\xD5\x5C\\a.txt", "C:\\\xD5\x5C\\b.txt"}},
        {"\0\0"s, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(win32::chosenFiles(c.buffer.data(), c.buffer.size(), gbk), c.paths) << c.buffer;
}

TEST(DialogTextTest, APathTypedIntoTheFolderChooser)
{
    const common::CodePage gbk(936);
    struct Case {
        std::string typed;
        std::string selected;
        std::optional<std::string> folder;
    };
    const Case cases[] = {
        {"", "C:\\data", std::nullopt},
        {"data", "C:\\data", std::nullopt}, // the box shows the selection's name
        {"C:\\data", "C:\\data", std::nullopt},
        {"D:\\out\\new", "C:\\data", "D:\\out\\new"},
        {"new", "C:\\data", "C:\\data\\new"},
        {"new", "C:\\", "C:\\new"},
        // The selection ends in 誠 (D5 5C): its trail byte is no separator.
        {"new", "C:\\\xD5\x5C", "C:\\\xD5\x5C\\new"},
        {"new", "", "new"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(win32::typedFolder(c.typed, c.selected, gbk), c.folder) << c.typed << " in " << c.selected;
}

TEST(DialogTextTest, TheTitleAndTheStartupErrorText)
{
    EXPECT_EQ(win32::applicationTitle("C:\\Program Files\\TARNVALE.EXE"), "Tarnvale");
    EXPECT_EQ(win32::applicationTitle("tarnvale.v2.exe"), "tarnvale");
    EXPECT_EQ(win32::startupErrorText("Error", "tarnvale.exe", nullptr, "No data"),
              "Exception Error in module tarnvale.exe at 0000000000000000.\r\nNo data.\r\n");
    EXPECT_EQ(win32::startupErrorText("Error", "t.exe", nullptr, "Done."),
              "Exception Error in module t.exe at 0000000000000000.\r\nDone.\r\n");
}
