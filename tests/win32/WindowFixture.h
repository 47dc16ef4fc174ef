// Both windows of the Win32 program, made for real (under Wine's null
// graphics driver) over the scripted dialogs, with the test context in code
// page 936 (GBK, "/" dates, the year 2026); and the messages a user's input
// would send them.
#pragma once

#include "app/win32/Form1View.h"
#include "app/win32/MessageLoop.h"
#include "app/win32/TForm1.h"
#include "app/win32/TcolnameForm.h"
#include "app/win32/Win32Text.h"
#include "common/FileSystem.h"
#include "support/FixedContext.h"
#include "support/ScriptedDialogs.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>

namespace win32_test {

using Dialogs = testing_support::ScriptedDialogs<testing_support::ByteTexts>;
using win32::ansi;
using win32::windowText;

inline pages::AppContext gbkContext()
{
    pages::AppContext context = testing_support::fixedContext();
    context.codePage = common::CodePage(936);
    return context;
}

// Runs `action` when the event loop next handles its messages (in a run:
// when the run lets the window's events through).
class WhenEventsRun {
  public:
    explicit WhenEventsRun(std::function<void()> action);
    ~WhenEventsRun();

  private:
    static LRESULT CALLBACK proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND m_window;
    std::function<void()> m_action;
};

struct Windows {
    Dialogs dialogs;
    win32::TForm1 form{dialogs, gbkContext()};
    win32::TcolnameForm colnameForm{form.handle(), dialogs, form.view().ListBox1()};

    Windows();
    ~Windows();

    // A user's click: nothing happens on a disabled button.
    static void click(HWND button) { SendMessageA(button, BM_CLICK, 0, 0); }
    // A user's pick in a drop-down list, with the notification its window listens for.
    static void pick(HWND combo, const std::string& item);
    // Typed characters, one WM_CHAR each.
    static void type(HWND control, const std::string& text);
    // A key press through the event loop, as the keyboard would send it to the focus.
    static void press(WPARAM key);
    static std::string text(HWND window) { return windowText(window); }
    std::vector<std::string> infos() const { return dialogs.texts("info"); }
    std::vector<std::string> errors() const { return dialogs.texts("error"); }
};

// The runs move the current folder; every test starts from the same one.
class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override { m_startFolder = common::currentFolder(); }
    void TearDown() override { common::changeCurrentFolder(m_startFolder); }

    std::string m_startFolder;
    testing_support::TempDir m_temp;
};

} // namespace win32_test
