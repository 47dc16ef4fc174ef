// Both windows as laid out: every control's place, size and caption, the
// state at start-up, the tab orders, and the page control.
#include "WindowFixture.h"

#include "app/win32/Layout.h"

#include <commctrl.h>

using namespace win32_test;
using win32::boundsInParent;

namespace {

struct Placed {
    const char* name;
    HWND control;
    HWND parent;
    win32::Bounds bounds;
    const char* caption; // UTF-8; nullptr: not checked
};

void expectPlaced(const Placed& p)
{
    SCOPED_TRACE(p.name);
    ASSERT_TRUE(p.control);
    EXPECT_EQ(GetParent(p.control), p.parent);
    const win32::Bounds actual = boundsInParent(p.control);
    EXPECT_EQ(actual.left, p.bounds.left);
    EXPECT_EQ(actual.top, p.bounds.top);
    EXPECT_EQ(actual.width, p.bounds.width);
    // A drop-down list's closed height is the toolkit's; 0 here: not checked.
    if (p.bounds.height) {
        EXPECT_EQ(actual.height, p.bounds.height);
    }
    if (p.caption) {
        EXPECT_EQ(windowText(p.control), ansi(p.caption));
    }
}

SIZE clientSize(HWND window)
{
    RECT rect;
    GetClientRect(window, &rect);
    return {rect.right, rect.bottom};
}

} // namespace

TEST(LayoutTest, ControlsSitWhereTheLayoutPutsThemWithTheirCaptions)
{
    Windows w;
    const win32::TForm1& f = w.form;
    const win32::TcolnameForm& d = w.colnameForm;
    const Placed placed[] = {
        {"LabeledEdit1", f.LabeledEdit1, f.Panel1, {13, 19, 199, 20}, ""},
        {"its label", f.LabeledEdit1Label, f.Panel1, {13, 4, 66, 12}, "Excel文件："},
        {"DBNavigator1", f.DBNavigator1->handle(), f.Panel1, {6, 166, 200, 20}, nullptr},
        {"Button2", f.Button2, f.Panel1, {243, 166, 60, 20}, "转换"},
        {"LabeledEdit2", f.LabeledEdit2, f.Panel1, {13, 58, 199, 20}, ""},
        {"its label", f.LabeledEdit2Label, f.Panel1, {13, 43, 102, 12}, "Txt文件保存路径："},
        {"Browse1Button", f.Browse1Button, f.Panel1, {224, 19, 60, 20}, "浏览..."},
        {"Browse2Button", f.Browse2Button, f.Panel1, {224, 58, 60, 20}, "浏览..."},
        {"CodeComboBox", f.CodeComboBox, f.Panel1, {109, 115, 167, 20}, nullptr},
        {"TableNameComboBox", f.TableNameComboBox, f.Panel1, {109, 83, 167, 20}, nullptr},
        {"InRelaButton", f.InRelaButton, f.Panel1, {550, 26, 60, 20}, "导入"},
        {"OutRelaButton", f.OutRelaButton, f.Panel1, {550, 51, 60, 20}, "导出"},
        {"AddlineButton", f.AddlineButton, f.Panel1, {550, 77, 60, 20}, "添加行"},
        {"DelLineButton", f.DelLineButton, f.Panel1, {550, 102, 60, 20}, "删除行"},
        {"ListBox1", f.ListBox1, f.Panel1, {301, 32, 237, 122}, nullptr},
        {"DateMaskEdit", f.DateMaskEdit->handle(), f.Panel1, {109, 141, 165, 20}, "____/__/__"},
        {"Label1", f.Label1, f.Panel1, {301, 13, 0, 0}, "设置列对应关系:"},
        {"Label5", f.Label5, f.Panel1, {13, 83, 0, 0}, "选择要转换的表:"},
        {"Label2", f.Label2, f.Panel1, {13, 115, 0, 0}, "指定证券代码列："},
        {"Label6", f.Label6, f.Panel1, {13, 141, 0, 0}, "行情日期："},
        {"Dzh2InstallDirEdit", f.Dzh2InstallDirEdit, f.TabSheet2, {0, 26, 494, 20}, ""},
        {"BrowDzhDirButton", f.BrowDzhDirButton, f.TabSheet2, {518, 32, 60, 20}, "浏览..."},
        {"Label4", f.Label4, f.TabSheet2, {0, 6, 0, 0}, "自定义数据路径"},
        {"Label3", f.Label3, f.TabSheet2, {0, 51, 0, 0}, "Txt文件列表"},
        {"TxtListBox", f.TxtListBox, f.TabSheet2, {0, 70, 487, 321}, nullptr},
        {"AddDirButton", f.AddDirButton, f.TabSheet2, {518, 77, 60, 20}, "添加目录"},
        {"AddTxtButton", f.AddTxtButton, f.TabSheet2, {518, 102, 60, 20}, "添加文件"},
        {"DelFileListButton", f.DelFileListButton, f.TabSheet2, {518, 128, 60, 20}, "删除列表"},
        {"Button4", f.Button4, f.TabSheet2, {518, 154, 60, 20}, "删除选中"},
        {"Button3", f.Button3, f.TabSheet2, {518, 186, 60, 20}, "引入"},
        {"RadioGroup1", f.RadioGroup1, f.TabSheet2, {499, 218, 116, 52}, nullptr},
        {"item 0", f.RadioGroup1Items[0], f.RadioGroup1, {8, 9, 104, 16}, "引入大智慧新一代"},
        {"item 1", f.RadioGroup1Items[1], f.RadioGroup1, {8, 27, 104, 16}, "引入飞狐交易师"},
        {"colnameForm.Label1", d.Label1, d.handle(), {6, 6, 0, 0}, "Excel列名"},
        {"ComboBox1", d.ComboBox1, d.handle(), {3, 26, 177, 0}, nullptr},
        {"colnameForm.LabeledEdit1", d.LabeledEdit1, d.handle(), {6, 70, 168, 23}, ""},
        {"its label", d.LabeledEdit1Label, d.handle(), {6, 55, 120, 12}, "大智慧自定义数据列名"},
        {"Button1", d.Button1, d.handle(), {64, 102, 60, 20}, "确定"},
    };
    for (const Placed& p : placed) {
        Placed checked = p;
        // Labels size themselves to their captions; combo boxes keep the toolkit's height.
        if (p.bounds.width == 0)
            checked.bounds.width = boundsInParent(p.control).width;
        expectPlaced(checked);
    }
    EXPECT_GT(boundsInParent(f.Label1).width, 0);

    EXPECT_EQ(windowText(f.handle()), "Tarnvale");
    EXPECT_EQ(windowText(d.handle()), ansi("设置对应关系"));
    EXPECT_EQ(clientSize(f.handle()).cx, 783);
    EXPECT_EQ(clientSize(f.handle()).cy, 536);
    EXPECT_EQ(clientSize(d.handle()).cx, 190);
    EXPECT_EQ(clientSize(d.handle()).cy, 128);
    RECT rect;
    GetWindowRect(f.handle(), &rect);
    EXPECT_EQ(rect.left, 190);
    EXPECT_EQ(rect.top, 113);
    GetWindowRect(d.handle(), &rect);
    EXPECT_EQ(rect.left, 476);
    EXPECT_EQ(rect.top, 288);
    EXPECT_TRUE(GetWindowLongPtrA(d.handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(GetWindowLongPtrA(d.handle(), GWL_STYLE) &
                 (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    // Panel1 across the top of the first page, the grid below it to the bottom.
    EXPECT_EQ(boundsInParent(f.Panel1).height, 199);
    EXPECT_EQ(boundsInParent(f.DBGrid1->handle()).top, 199);
    EXPECT_EQ(boundsInParent(f.DBGrid1->handle()).width, boundsInParent(f.TabSheet1).width);
}

TEST(LayoutTest, StartsOnTheFirstPageWithEverythingEmpty)
{
    Windows w;
    const win32::TForm1& f = w.form;
    EXPECT_EQ(SendMessageA(f.help, TCM_GETCURSEL, 0, 0), 0);
    EXPECT_TRUE(IsWindowVisible(f.TabSheet1));
    EXPECT_FALSE(IsWindowVisible(f.TabSheet2));
    EXPECT_EQ(GetFocus(), f.help);
    EXPECT_EQ(SendMessageA(f.RadioGroup1Items[0], BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageA(f.RadioGroup1Items[1], BM_GETCHECK, 0, 0), BST_CHECKED);
    for (HWND list : {f.ListBox1, f.TxtListBox})
        EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 0);
    for (HWND combo : {f.CodeComboBox, f.TableNameComboBox, w.colnameForm.ComboBox1})
        EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(f.DateMaskEdit->text(), "    /  /  ");
    EXPECT_FALSE(IsWindowVisible(w.colnameForm.handle()));
    // Every navigator button is off while no sheet is open.
    for (int button = 0; button < pages::NavigatorButtons::kButtonCount; ++button)
        EXPECT_FALSE(
            IsWindowEnabled(f.DBNavigator1->button(static_cast<pages::NavigatorButtons::Button>(button))));

    // A click on the second tab shows the second page.
    SendMessageA(f.help, TCM_SETCURSEL, 1, 0);
    NMHDR header{f.help, 0, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageA(f.handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
    EXPECT_FALSE(IsWindowVisible(f.TabSheet1));
    EXPECT_TRUE(IsWindowVisible(f.TabSheet2));
}

TEST(LayoutTest, TabFollowsTheLayoutsTabOrderOnTheShownPage)
{
    Windows w;
    const win32::TForm1& f = w.form;
    const HWND firstPage[] = {
        f.DBGrid1->handle(), f.LabeledEdit1,  f.Button2,           f.LabeledEdit2,           f.Browse1Button,
        f.Browse2Button,     f.CodeComboBox,  f.TableNameComboBox, f.InRelaButton,           f.OutRelaButton,
        f.AddlineButton,     f.DelLineButton, f.ListBox1,          f.DateMaskEdit->handle(), f.help};
    for (std::size_t i = 0; i < std::size(firstPage); ++i) {
        Windows::press(VK_TAB);
        EXPECT_EQ(GetFocus(), firstPage[i]) << "step " << i;
    }
    w.form.showPage(1);
    // The radio group is one stop: its checked item.
    const HWND secondPage[] = {
        f.TxtListBox,       f.AddDirButton, f.AddTxtButton, f.DelFileListButton,   f.Dzh2InstallDirEdit,
        f.BrowDzhDirButton, f.Button3,      f.Button4,      f.RadioGroup1Items[1], f.help};
    for (std::size_t i = 0; i < std::size(secondPage); ++i) {
        Windows::press(VK_TAB);
        EXPECT_EQ(GetFocus(), secondPage[i]) << "step " << i;
    }
}

TEST(LayoutTest, TheFocusComesBackWithTheWindowsActivation)
{
    Windows w;
    SetFocus(w.form.Button2);
    ShowWindow(w.colnameForm.handle(), SW_SHOW);
    SetActiveWindow(w.colnameForm.handle());
    ASSERT_NE(GetFocus(), w.form.Button2);
    ShowWindow(w.colnameForm.handle(), SW_HIDE);
    SetActiveWindow(w.form.handle());
    EXPECT_EQ(GetFocus(), w.form.Button2);
}
