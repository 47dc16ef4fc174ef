// The page "自定义数据引入" driven through its controls: the list filled and
// trimmed, the import run writing record files with the controls blocked
// while it goes, its messages, and closing the window during a run.
#include "WindowFixture.h"

using namespace win32_test;
using testing_support::readBytes;
using testing_support::writeBytes;

namespace {

// 2008-01-15, 12.5: the record 80 F7 8B 47 00 00 48 41.
const std::string kRecord("\x80\xF7\x8B\x47\x00\x00\x48\x41", 8);

class ImportWindowTest : public WindowTest {
  protected:
    Windows w;
    win32::TForm1& f = w.form;
    std::string folder = m_temp.file("cd");
    std::string input = m_temp.file("PE.txt");

    ImportWindowTest()
    {
        CreateDirectoryA(folder.c_str(), nullptr);
        writeBytes(input, "SH600000\t2008-01-15\t12.5\r\nSZ000001\t2008/01/15\t12.5\r\nbad line\r\n");
        f.showPage(1);
    }
    void addInput()
    {
        w.dialogs.filesAnswers.push_back(std::vector<std::string>{input});
        Windows::click(f.AddTxtButton);
    }
};

} // namespace

TEST_F(ImportWindowTest, ImportsTheListedFilesWithTheRunButtonsBlockedMeanwhile)
{
    addInput();
    ASSERT_EQ(SendMessageA(f.TxtListBox, LB_GETCOUNT, 0, 0), 1);
    SetWindowTextA(f.Dzh2InstallDirEdit, folder.c_str());
    Windows::click(f.RadioGroup1Items[0]); // 大智慧新一代: .dat
    std::vector<bool> enabledDuringRun;
    const HWND watched[] = {f.Button3, f.AddTxtButton, f.RadioGroup1, f.Button2, f.TxtListBox};
    WhenEventsRun duringRun([&] {
        for (HWND control : watched)
            enabledDuringRun.push_back(IsWindowEnabled(control) != FALSE);
    });
    Windows::click(f.Button3);

    EXPECT_EQ(w.errors(), std::vector<std::string>{});
    EXPECT_EQ(readBytes(folder + "\\PE\\SH600000.dat"), kRecord);
    EXPECT_EQ(readBytes(folder + "\\PE\\SZ000001.dat"), kRecord);
    EXPECT_EQ(Windows::text(f.Label3), ansi("转换完成"));
    // Blocked while it ran (the list is not): each back as it was.
    EXPECT_EQ(enabledDuringRun, (std::vector<bool>{false, false, false, false, true}));
    for (HWND control : watched)
        EXPECT_TRUE(IsWindowEnabled(control));
}

TEST_F(ImportWindowTest, ListButtonsAndTheMissingFolderMessage)
{
    addInput();
    addInput();
    w.dialogs.folderAnswers.push_back(m_temp.path().string());
    Windows::click(f.AddDirButton); // the temp folder holds PE.txt
    ASSERT_EQ(SendMessageA(f.TxtListBox, LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(w.dialogs.calls.front().options.allowMultiSelect, true);

    SendMessageA(f.TxtListBox, LB_SETSEL, TRUE, 0);
    SendMessageA(f.TxtListBox, LB_SETSEL, TRUE, 2);
    Windows::click(f.Button4);
    EXPECT_EQ(SendMessageA(f.TxtListBox, LB_GETCOUNT, 0, 0), 1);

    Windows::click(f.Button3); // no custom-data folder
    EXPECT_EQ(w.infos(), std::vector<std::string>{ansi("自定义数据路径不存在")});
    EXPECT_EQ(Windows::text(f.Label3), ansi("Txt文件列表"));

    w.dialogs.folderAnswers.push_back(folder);
    Windows::click(f.BrowDzhDirButton);
    EXPECT_EQ(Windows::text(f.Dzh2InstallDirEdit), folder);
    EXPECT_EQ(w.dialogs.texts("browseForFolder").back(), ansi("请选择大智慧新一代安装目录"));

    Windows::click(f.DelFileListButton);
    EXPECT_EQ(SendMessageA(f.TxtListBox, LB_GETCOUNT, 0, 0), 0);
}

TEST_F(ImportWindowTest, ADoubleClickOnTheRunButtonRunsOnce)
{
    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
        SendMessageA(f.Button3, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(5, 5));
    win32::processPendingMessages();
    EXPECT_EQ(w.infos().size(), 1u);
}

TEST_F(ImportWindowTest, ClosingTheWindowDuringARunLetsItFinishThenQuits)
{
    addInput();
    SetWindowTextA(f.Dzh2InstallDirEdit, folder.c_str());
    PostMessageA(f.handle(), WM_CLOSE, 0, 0);
    Windows::click(f.Button3);

    EXPECT_EQ(readBytes(folder + "\\PE\\SH600000.adt"), kRecord);
    EXPECT_EQ(Windows::text(f.Label3), ansi("转换完成"));
    EXPECT_TRUE(IsWindowVisible(f.handle()));
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
}
