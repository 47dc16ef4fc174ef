// What the Win32 program makes of texts at its edge: the file dialogs'
// filters and chosen names, the application title, the start-up error text.
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

TEST(DialogTextTest, TheTitleAndTheStartupErrorText)
{
    EXPECT_EQ(win32::applicationTitle("C:\\Program Files\\TARNVALE.EXE"), "Tarnvale");
    EXPECT_EQ(win32::applicationTitle("tarnvale.v2.exe"), "tarnvale");
    EXPECT_EQ(win32::startupErrorText("Error", "tarnvale.exe", nullptr, "No data"),
              "Exception Error in module tarnvale.exe at 0000000000000000.\r\nNo data.\r\n");
    EXPECT_EQ(win32::startupErrorText("Error", "t.exe", nullptr, "Done."),
              "Exception Error in module t.exe at 0000000000000000.\r\nDone.\r\n");
}
