// The main window Form1 over Win32 controls: the tab control "help" with the
// pages "Excel转txt" and "自定义数据引入". Controls keep their layout names
// (as members) so that handlers and tests find them by those names. The
// window lays them out, shows what the page layer says and forwards every
// event to the handler of the same name (pages/MainWindow.h) through the
// guard; the page layer sees the controls through a Form1View.
#pragma once

#include "app/win32/DateMaskEdit.h"
#include "app/win32/DbGrid.h"
#include "app/win32/DbNavigator.h"
#include "app/win32/MessageLoop.h"
#include "pages/AppContext.h"
#include "pages/Dialogs.h"
#include "pages/MainWindow.h"

#include <windows.h>

#include <functional>
#include <memory>

namespace win32 {

class Form1View;
class TcolnameForm;

class TForm1 {
  public:
    TForm1(pages::Dialogs& dialogs, pages::AppContext context);
    ~TForm1();
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    HWND handle() const { return m_window; }
    pages::Dialogs& dialogs() const { return m_pages->dialogs(); }

    // --- Controls, by layout name ---
    HWND help = nullptr; // the tab control
    HWND TabSheet1 = nullptr;
    HWND Panel1 = nullptr;
    std::unique_ptr<DbGrid> DBGrid1;
    HWND LabeledEdit1 = nullptr; // "Excel文件："
    HWND LabeledEdit1Label = nullptr;
    std::unique_ptr<DbNavigator> DBNavigator1;
    HWND Button2 = nullptr;      // "转换"
    HWND LabeledEdit2 = nullptr; // "Txt文件保存路径："
    HWND LabeledEdit2Label = nullptr;
    HWND Browse1Button = nullptr;
    HWND Browse2Button = nullptr;
    HWND CodeComboBox = nullptr;
    HWND TableNameComboBox = nullptr;
    HWND InRelaButton = nullptr;
    HWND OutRelaButton = nullptr;
    HWND AddlineButton = nullptr;
    HWND DelLineButton = nullptr;
    HWND ListBox1 = nullptr; // the mapping list
    std::unique_ptr<win32::DateMaskEdit> DateMaskEdit;
    HWND Label1 = nullptr;
    HWND Label5 = nullptr;
    HWND Label2 = nullptr;
    HWND Label6 = nullptr;
    HWND ProgressLabel = nullptr;

    HWND TabSheet2 = nullptr;
    HWND Label4 = nullptr;
    HWND Dzh2InstallDirEdit = nullptr;
    HWND BrowDzhDirButton = nullptr;
    HWND Label3 = nullptr;
    HWND TxtListBox = nullptr;
    HWND AddDirButton = nullptr;
    HWND AddTxtButton = nullptr;
    HWND DelFileListButton = nullptr;
    HWND Button4 = nullptr;
    HWND Button3 = nullptr;
    HWND RadioGroup1 = nullptr;
    HWND RadioGroup1Items[2] = {nullptr, nullptr};

    // Shows the page at `index` (0 or 1), as a click on its tab does.
    void showPage(int index);

    // The mapping dialog, created after this window (start-up order).
    void setColnameForm(TcolnameForm* form);

    // The handlers of the page layer, for tests.
    pages::MainWindow& pageLayer() { return *m_pages; }
    Form1View& view() { return *m_view; }

  private:
    void createWindow();
    void createExcelPage();
    void createPanel1Controls();
    void createImportPage();
    void createPages(pages::Dialogs& dialogs, pages::AppContext context);
    void setTabOrder();
    // Fits the page control, the pages, the panel and the grid to the window.
    void layOut();

    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void command(HWND control, WORD code);
    // Runs a handler through the guard: what escapes shows in the error box.
    void run(const std::function<void()>& handler);

    HWND m_window = nullptr;
    // The control that had the focus when the window was last deactivated.
    HWND m_lastFocus = nullptr;
    std::unique_ptr<Form1View> m_view;
    std::unique_ptr<pages::MainWindow> m_pages;
    std::unique_ptr<KeyboardRules> m_keyboard;
};

} // namespace win32
