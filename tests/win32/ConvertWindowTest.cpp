// The page "Excel转txt" driven through its controls over a copy of the
// Quotes fixture (Code, Close, Vol; rows 600000, 000001, 300750): the
// workbook and sheet picked, the date typed, mappings added through the
// modal dialog, the conversion's files; the preview grid and its navigator.
#include "WindowFixture.h"

#include "pages/PreviewGrid.h"
#include "workbook/Query.h"

#include <commctrl.h>

using namespace win32_test;
using testing_support::readBytes;
using testing_support::writeBytes;
using Button = pages::NavigatorButtons;

namespace {

class ConvertWindowTest : public WindowTest {
  protected:
    Windows w;
    win32::TForm1& f = w.form;
    win32::TcolnameForm& d = w.colnameForm;
    std::string book = m_temp.file("Quotes.xls");
    std::string out = m_temp.file("out");

    ConvertWindowTest()
    {
        writeBytes(book, readBytes(testing_support::dataPath("Quotes.xls")));
        CreateDirectoryA(out.c_str(), nullptr);
    }
    void openSheet()
    {
        w.dialogs.fileAnswers.push_back(book);
        Windows::click(f.Browse1Button);
        Windows::pick(f.TableNameComboBox, "Sheet1$");
    }
    // "添加行": the dialog runs its own loop, so what the user does in it is
    // queued before the click and handled there.
    void addMapping(const char* column, const std::string& name)
    {
        const LRESULT index = SendMessageA(d.ComboBox1, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>(column));
        PostMessageA(d.ComboBox1, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        PostMessageA(d.handle(), WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(d.ComboBox1));
        WhenEventsRun typeName([&] { SetWindowTextA(d.LabeledEdit1, name.c_str()); });
        PostMessageA(d.Button1, BM_CLICK, 0, 0);
        Windows::click(f.AddlineButton);
    }
    pages::PreviewGrid grid() { return pages::PreviewGrid(f.pageLayer().excelPage().DataSource1); }
    std::string listCell(int row, int subItem)
    {
        char text[64] = {};
        LVITEMA item{};
        item.iSubItem = subItem;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(f.DBGrid1->handle(), LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
        return text;
    }
};

} // namespace

TEST_F(ConvertWindowTest, ConvertsTheSheetThroughTheWindowsControls)
{
    Windows::click(f.Button2);
    EXPECT_EQ(w.infos(), std::vector<std::string>{ansi("没有指定Excel文件路径？")});

    openSheet();
    Windows::pick(f.CodeComboBox, "Code");
    Windows::type(f.DateMaskEdit->handle(), "20240105");
    SetWindowTextA(f.LabeledEdit2, out.c_str());
    addMapping("Close", ansi("收盘"));
    addMapping("Vol", ansi("总手"));
    EXPECT_FALSE(IsWindowVisible(d.handle()));
    ASSERT_EQ(SendMessageA(f.ListBox1, LB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(f.view().ListBox1().item(0), "Close<->" + ansi("收盘"));

    bool gridOffDuringRun = false;
    WhenEventsRun duringRun([&] {
        gridOffDuringRun = !f.pageLayer().excelPage().DataSource1.isEnabled() && !IsWindowEnabled(f.Button2);
    });
    Windows::click(f.Button2);
    EXPECT_EQ(w.errors(), std::vector<std::string>{});
    EXPECT_TRUE(gridOffDuringRun);
    EXPECT_EQ(readBytes(out + "\\2024-01-05\\" + ansi("收盘") + ".txt"),
              "SH600000\t2024-01-05\t10.5\r\nSZ000001\t2024-01-05\t12.25\r\n");
    EXPECT_EQ(readBytes(out + "\\2024-01-05\\" + ansi("总手") + ".txt"),
              "SH600000\t2024-01-05\t123456\r\nSZ000001\t2024-01-05\t7890\r\n");
    EXPECT_EQ(Windows::text(f.ProgressLabel), ansi("正在转换<Vol>:2"));
    EXPECT_TRUE(IsWindowEnabled(f.Button2));
}

TEST_F(ConvertWindowTest, TheMappingDialogKeepsItsContentsAndItsCloseBoxAddsNothing)
{
    openSheet();
    addMapping("Close", "x");
    PostMessageA(d.handle(), WM_CLOSE, 0, 0);
    Windows::click(f.AddlineButton);
    EXPECT_EQ(f.view().ListBox1().items(), std::vector<std::string>{"Close<->x"});
    EXPECT_EQ(Windows::text(d.LabeledEdit1), "x");
    EXPECT_EQ(SendMessageA(d.ComboBox1, CB_GETCURSEL, 0, 0), 1);
    EXPECT_TRUE(IsWindowEnabled(f.handle()));
    EXPECT_FALSE(IsWindowVisible(d.handle()));

    SendMessageA(f.ListBox1, LB_SETSEL, TRUE, 0);
    Windows::click(f.DelLineButton);
    EXPECT_EQ(SendMessageA(f.ListBox1, LB_GETCOUNT, 0, 0), 0);
}

TEST_F(ConvertWindowTest, TheGridShowsTheSheetSortsOnATitleClickAndEditsACell)
{
    openSheet();
    const HWND list = f.DBGrid1->handle();
    const HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    ASSERT_EQ(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0), 4); // the indicator and three fields
    EXPECT_EQ(SendMessageA(list, LVM_GETCOLUMNWIDTH, 1, 0), 100);
    ASSERT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(listCell(0, 1), "600000");
    EXPECT_EQ(listCell(1, 2), "12.25");
    // At the first row: first and prior off, next and last on.
    EXPECT_FALSE(IsWindowEnabled(f.DBNavigator1->button(Button::First)));
    EXPECT_FALSE(IsWindowEnabled(f.DBNavigator1->button(Button::Prior)));
    EXPECT_TRUE(IsWindowEnabled(f.DBNavigator1->button(Button::Next)));
    Windows::click(f.DBNavigator1->button(Button::Last));
    EXPECT_EQ(f.pageLayer().excelPage().ADOQuery1.currentRow(), 2u);
    EXPECT_EQ(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), 2);
    EXPECT_FALSE(IsWindowEnabled(f.DBNavigator1->button(Button::Next)));

    NMLISTVIEW click{};
    click.hdr = {list, 0, static_cast<UINT>(LVN_COLUMNCLICK)};
    click.iItem = -1;
    click.iSubItem = 1; // "Code"
    SendMessageA(f.handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&click));
    EXPECT_EQ(listCell(0, 1), "000001");

    f.DBGrid1->beginEdit(0, 1);
    ASSERT_TRUE(f.DBGrid1->editor());
    SetWindowTextA(f.DBGrid1->editor(), "99.5");
    EXPECT_EQ(grid().mark(0), pages::RowMark::Edit);
    SendMessageA(f.DBGrid1->editor(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_FALSE(f.DBGrid1->editor());
    Windows::click(f.DBNavigator1->button(Button::Post));
    EXPECT_EQ(w.errors(), std::vector<std::string>{});
    EXPECT_EQ(grid().cellText(0, 1), "99.5");
    EXPECT_EQ(grid().mark(0), pages::RowMark::Current);
}
