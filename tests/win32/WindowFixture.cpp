#include "WindowFixture.h"

namespace win32_test {

WhenEventsRun::WhenEventsRun(std::function<void()> action) : m_action(std::move(action))
{
    WNDCLASSA windowClass{};
    if (!GetClassInfoA(GetModuleHandleA(nullptr), "WhenEventsRun", &windowClass)) {
        windowClass.lpfnWndProc = &WhenEventsRun::proc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "WhenEventsRun";
        RegisterClassA(&windowClass);
    }
    m_window = CreateWindowExA(0, "WhenEventsRun", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    PostMessageA(m_window, WM_APP, 0, 0);
}

WhenEventsRun::~WhenEventsRun()
{
    DestroyWindow(m_window);
}

LRESULT CALLBACK WhenEventsRun::proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP) {
        auto* self = reinterpret_cast<WhenEventsRun*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self && self->m_action)
            self->m_action();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

Windows::Windows()
{
    form.setColnameForm(&colnameForm);
    ShowWindow(form.handle(), SW_SHOW);
    SetForegroundWindow(form.handle());
    SetFocus(form.help);
    win32::processPendingMessages();
}

Windows::~Windows()
{
    form.setColnameForm(nullptr);
    // Nothing of one test's messages may reach the next one's windows.
    win32::processPendingMessages();
}

void Windows::pick(HWND combo, const std::string& item)
{
    const LRESULT index = SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(item.c_str()));
    ASSERT_NE(index, CB_ERR) << item;
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
}

void Windows::type(HWND control, const std::string& text)
{
    for (const char c : text)
        SendMessageA(control, WM_CHAR, static_cast<unsigned char>(c), 0);
}

void Windows::press(WPARAM key)
{
    MSG message{};
    message.hwnd = GetFocus();
    message.message = WM_KEYDOWN;
    message.wParam = key;
    win32::dispatchMessage(message);
    win32::processPendingMessages();
}

} // namespace win32_test
