#include "app/win32/TForm1.h"

#include "app/win32/Form1View.h"
#include "app/win32/Layout.h"
#include "app/win32/TcolnameForm.h"
#include "app/win32/Win32Text.h"
#include "pages/Guard.h"

#include <commctrl.h>

namespace win32 {

namespace {

constexpr const char* kWindowClass = "TForm1";
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
// The layout's client area; the frame comes on top (799 x 572 in all with
// the layout's frame sizes).
constexpr int kClientWidth = 783;
constexpr int kClientHeight = 536;
constexpr int kPanel1Height = 199;

// "转换" and "引入": a double click asks for one run, so the second press is
// not a click (pages/WindowView.h).
LRESULT CALLBACK singleClickButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_LBUTTONDBLCLK)
        return 0;
    return CallWindowProcA(original, window, message, wParam, lParam);
}

void takeDoubleClickAsOneClick(HWND button)
{
    const LONG_PTR original =
        SetWindowLongPtrA(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&singleClickButtonProc));
    SetWindowLongPtrA(button, GWLP_USERDATA, original);
}

} // namespace

TForm1::TForm1(pages::Dialogs& dialogs, pages::AppContext context)
{
    const char dateSeparator = context.settings.dateSeparator;
    createWindow();
    createExcelPage();
    createPanel1Controls();
    DateMaskEdit = std::make_unique<win32::DateMaskEdit>(
        createEdit(Panel1, {109, 141, 165, 20}, layoutFont(-12)), dialogs, dateSeparator);
    createImportPage();
    createPages(dialogs, std::move(context));
    setTabOrder();
    layOut();
    showPage(0);
    // At first activation the tab strip has the focus, as the first tab stop.
    SetFocus(help);
}

TForm1::~TForm1()
{
    // The grid and navigator leave the page layer's data link before it goes.
    DBGrid1.reset();
    DBNavigator1.reset();
    m_pages.reset();
    m_keyboard.reset();
    DestroyWindow(m_window);
}

void TForm1::createWindow()
{
    registerWindowClass(kWindowClass, DefWindowProcA, LoadIconA(GetModuleHandleA(nullptr), "MAINICON"));
    const SIZE outer = outerSize(kStyle, 0, kClientWidth, kClientHeight);
    m_window = CreateWindowExA(0, kWindowClass, "Tarnvale", kStyle, 190, 113, outer.cx, outer.cy, nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TForm1::windowProc));
    SendMessageA(m_window, WM_SETFONT, reinterpret_cast<WPARAM>(layoutFont(-12)), FALSE);
    help = createControl(m_window, WC_TABCONTROLA, "", WS_TABSTOP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0,
                         {0, 0, kClientWidth, kClientHeight}, layoutFont(-12));
    const std::string captions[] = {ansi("Excel转txt"), ansi("自定义数据引入")};
    for (int index = 0; index < 2; ++index) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(captions[index].c_str());
        SendMessageA(help, TCM_INSERTITEMA, index, reinterpret_cast<LPARAM>(&item));
    }
}

void TForm1::createExcelPage()
{
    TabSheet1 = createContainer(help, {0, 0, 775, 509}, Border::None);
    // Panel1 is aligned to the top, DBGrid1 fills the rest (layOut).
    DBGrid1 = std::make_unique<DbGrid>(TabSheet1, 0, kPanel1Height, 775, 310);
    Panel1 = createContainer(TabSheet1, {0, 0, 775, kPanel1Height}, Border::RaisedBevel);
}

void TForm1::createPanel1Controls()
{
    const HFONT font = layoutFont(-12);
    // Created in tab order; the labels come last, as they take no focus.
    const LabeledEdit edit1 =
        createLabeledEdit(Panel1, ansi("Excel文件："), {66, 12}, {13, 19, 199, 20}, font);
    LabeledEdit1 = edit1.edit;
    LabeledEdit1Label = edit1.label;
    DBNavigator1 = std::make_unique<DbNavigator>(Panel1, 6, 166, 200, 20);
    Button2 = createButton(Panel1, ansi("转换"), {243, 166, 60, 20}, font);
    const LabeledEdit edit2 =
        createLabeledEdit(Panel1, ansi("Txt文件保存路径："), {102, 12}, {13, 58, 199, 20}, font);
    LabeledEdit2 = edit2.edit;
    LabeledEdit2Label = edit2.label;
    Browse1Button = createButton(Panel1, ansi("浏览..."), {224, 19, 60, 20}, font);
    Browse2Button = createButton(Panel1, ansi("浏览..."), {224, 58, 60, 20}, font);
    CodeComboBox = createDropDownList(Panel1, {109, 115, 167, 20}, font);
    TableNameComboBox = createDropDownList(Panel1, {109, 83, 167, 20}, font);
    InRelaButton = createButton(Panel1, ansi("导入"), {550, 26, 60, 20}, font);
    OutRelaButton = createButton(Panel1, ansi("导出"), {550, 51, 60, 20}, font);
    AddlineButton = createButton(Panel1, ansi("添加行"), {550, 77, 60, 20}, font);
    DelLineButton = createButton(Panel1, ansi("删除行"), {550, 102, 60, 20}, font);
    ListBox1 = createMultiSelectList(Panel1, {301, 32, 237, 122}, font);
    Label1 = createLabel(Panel1, ansi("设置列对应关系:"), 301, 13, font);
    Label5 = createLabel(Panel1, ansi("选择要转换的表:"), 13, 83, font);
    Label2 = createLabel(Panel1, ansi("指定证券代码列："), 13, 115, font);
    Label6 = createLabel(Panel1, ansi("行情日期："), 13, 141, font);
    ProgressLabel = createLabel(Panel1, "", 314, 166, font);
    takeDoubleClickAsOneClick(Button2);
}

void TForm1::createImportPage()
{
    const HFONT font = layoutFont(-12);
    TabSheet2 = createContainer(help, {0, 0, 775, 509}, Border::None);
    TxtListBox = createMultiSelectList(TabSheet2, {0, 70, 487, 321}, font);
    AddDirButton = createButton(TabSheet2, ansi("添加目录"), {518, 77, 60, 20}, font);
    AddTxtButton = createButton(TabSheet2, ansi("添加文件"), {518, 102, 60, 20}, font);
    DelFileListButton = createButton(TabSheet2, ansi("删除列表"), {518, 128, 60, 20}, font);
    Dzh2InstallDirEdit = createEdit(TabSheet2, {0, 26, 494, 20}, font);
    BrowDzhDirButton = createButton(TabSheet2, ansi("浏览..."), {518, 32, 60, 20}, font);
    Button3 = createButton(TabSheet2, ansi("引入"), {518, 186, 60, 20}, font);
    Button4 = createButton(TabSheet2, ansi("删除选中"), {518, 154, 60, 20}, font);
    RadioGroup1 = createContainer(TabSheet2, {499, 218, 116, 52}, Border::Frame);
    const std::string items[] = {ansi("引入大智慧新一代"), ansi("引入飞狐交易师")};
    for (int index = 0; index < 2; ++index) {
        RadioGroup1Items[index] = createControl(RadioGroup1, "BUTTON", items[index],
                                                BS_AUTORADIOBUTTON | WS_TABSTOP | (index == 0 ? WS_GROUP : 0),
                                                0, {8, 9 + index * 18, 104, 16}, layoutFont(-11));
    }
    SendMessageA(RadioGroup1Items[1], BM_SETCHECK, BST_CHECKED, 0);
    Label4 = createLabel(TabSheet2, ansi("自定义数据路径"), 0, 6, font);
    Label3 = createLabel(TabSheet2, ansi("Txt文件列表"), 0, 51, font);
    takeDoubleClickAsOneClick(Button3);
}

void TForm1::createPages(pages::Dialogs& dialogs, pages::AppContext context)
{
    m_view = std::make_unique<Form1View>(*this);
    m_pages = std::make_unique<pages::MainWindow>(*m_view, *m_view, *m_view, dialogs, std::move(context));
    pages::ExcelPage& excel = m_pages->excelPage();
    DBGrid1->setDataSource(excel.DataSource1);
    DBGrid1->onTitleClick = [this](std::size_t column) {
        run([&] { m_pages->excelPage().DBGrid1TitleClick(column); });
    };
    DBNavigator1->setDataSource(excel.DataSource1);
}

void TForm1::setColnameForm(TcolnameForm* form)
{
    m_pages->excelPage().setColnameForm(form ? &form->view() : nullptr);
}

void TForm1::setTabOrder()
{
    // Depth first, each parent's children in their layout tab order.
    m_keyboard = std::make_unique<KeyboardRules>(m_window, std::vector<HWND>{help,
                                                                             DBGrid1->handle(),
                                                                             LabeledEdit1,
                                                                             Button2,
                                                                             LabeledEdit2,
                                                                             Browse1Button,
                                                                             Browse2Button,
                                                                             CodeComboBox,
                                                                             TableNameComboBox,
                                                                             InRelaButton,
                                                                             OutRelaButton,
                                                                             AddlineButton,
                                                                             DelLineButton,
                                                                             ListBox1,
                                                                             DateMaskEdit->handle(),
                                                                             TxtListBox,
                                                                             AddDirButton,
                                                                             AddTxtButton,
                                                                             DelFileListButton,
                                                                             Dzh2InstallDirEdit,
                                                                             BrowDzhDirButton,
                                                                             Button3,
                                                                             Button4,
                                                                             RadioGroup1Items[0],
                                                                             RadioGroup1Items[1]});
    // Enter in "Excel文件：" opens the typed path as the browse button opens a chosen file.
    m_keyboard->onEnter(LabeledEdit1,
                        [this] { run([&] { m_pages->excelPage().LabeledEdit1ReturnPressed(); }); });
}

void TForm1::layOut()
{
    RECT client;
    GetClientRect(m_window, &client);
    MoveWindow(help, 0, 0, client.right, client.bottom, TRUE);
    RECT page{0, 0, client.right, client.bottom};
    SendMessageA(help, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
    const int width = page.right - page.left;
    const int height = page.bottom - page.top;
    for (HWND sheet : {TabSheet1, TabSheet2})
        MoveWindow(sheet, page.left, page.top, width, height, TRUE);
    MoveWindow(Panel1, 0, 0, width, kPanel1Height, TRUE);
    MoveWindow(DBGrid1->handle(), 0, kPanel1Height, width,
               height > kPanel1Height ? height - kPanel1Height : 0, TRUE);
}

void TForm1::showPage(int index)
{
    SendMessageA(help, TCM_SETCURSEL, index, 0);
    ShowWindow(TabSheet1, index == 0 ? SW_SHOW : SW_HIDE);
    ShowWindow(TabSheet2, index == 1 ? SW_SHOW : SW_HIDE);
}

void TForm1::run(const std::function<void()>& handler)
{
    pages::guarded(m_pages->dialogs(), handler);
}

void TForm1::command(HWND control, WORD code)
{
    pages::ExcelPage& excel = m_pages->excelPage();
    pages::ImportPage& import = m_pages->importPage();
    if (code == CBN_SELCHANGE && control == TableNameComboBox) {
        run([&] { excel.TableNameComboBoxChange(); });
        return;
    }
    if (code != BN_CLICKED)
        return;
    if (DBNavigator1->command(control))
        return;
    const std::pair<HWND, std::function<void()>> clicks[] = {
        {Browse1Button, [&] { excel.Browse1ButtonClick(); }},
        {Button2, [&] { excel.Button2Click(); }},
        {Browse2Button, [&] { excel.Browse2ButtonClick(); }},
        {InRelaButton, [&] { excel.InRelaButtonClick(); }},
        {OutRelaButton, [&] { excel.OutRelaButtonClick(); }},
        {AddlineButton, [&] { excel.AddlineButtonClick(); }},
        {DelLineButton, [&] { excel.DelLineButtonClick(); }},
        {BrowDzhDirButton, [&] { import.BrowDzhDirButtonClick(); }},
        {AddDirButton, [&] { import.AddDirButtonClick(); }},
        {AddTxtButton, [&] { import.AddTxtButtonClick(); }},
        {DelFileListButton, [&] { import.DelFileListButtonClick(); }},
        {Button4, [&] { import.Button4Click(); }},
        {Button3, [&] { import.Button3Click(); }},
    };
    for (const auto& [button, handler] : clicks) {
        if (button == control) {
            run(handler);
            return;
        }
    }
}

LRESULT CALLBACK TForm1::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<TForm1*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcA(window, message, wParam, lParam);
    return self->handleMessage(message, wParam, lParam);
}

LRESULT TForm1::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (lParam)
            command(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
        return 0;
    case WM_NOTIFY: {
        const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
        if (header.hwndFrom == help && header.code == TCN_SELCHANGE) {
            showPage(static_cast<int>(SendMessageA(help, TCM_GETCURSEL, 0, 0)));
            return 0;
        }
        if (DBGrid1 && DBGrid1->notify(header))
            return 0;
        break;
    }
    case WM_DRAWITEM:
        if (DBNavigator1 && DBNavigator1->drawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)))
            return TRUE;
        break;
    case WM_SIZE:
        if (help)
            layOut();
        return 0;
    case WM_ACTIVATE:
        // Not being a dialog, the window would take the focus itself when it
        // becomes active again: give it back to the control that had it.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(m_window, focus))
                m_lastFocus = focus;
        } else if (m_lastFocus && IsWindow(m_lastFocus) && IsWindowEnabled(m_lastFocus) &&
                   IsWindowVisible(m_lastFocus)) {
            SetFocus(m_lastFocus);
            return 0;
        }
        break;
    case WM_CLOSE:
        // Closing posts the quit request and leaves the window on the
        // screen: a run in progress goes on to its end, then the loop ends.
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(m_window, message, wParam, lParam);
}

} // namespace win32
