#include "app/win32/MessageLoop.h"

#include <algorithm>
#include <map>

namespace win32 {

namespace {

std::map<HWND, KeyboardRules*>& registry()
{
    static std::map<HWND, KeyboardRules*> rules;
    return rules;
}

bool hasClass(HWND window, const char* name)
{
    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    return lstrcmpiA(className, name) == 0;
}

LONG_PTR buttonType(HWND window)
{
    return GetWindowLongPtrA(window, GWL_STYLE) & BS_TYPEMASK;
}

bool isPushButton(HWND window)
{
    if (!hasClass(window, "Button"))
        return false;
    const LONG_PTR type = buttonType(window);
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

bool isRadioButton(HWND window)
{
    return hasClass(window, "Button") &&
           (buttonType(window) == BS_AUTORADIOBUTTON || buttonType(window) == BS_RADIOBUTTON);
}

bool keyDown(int key)
{
    return (GetKeyState(key) & 0x8000) != 0;
}

} // namespace

KeyboardRules::KeyboardRules(HWND topLevel, std::vector<HWND> tabOrder)
    : m_topLevel(topLevel), m_tabOrder(std::move(tabOrder))
{
    registry()[topLevel] = this;
}

KeyboardRules::~KeyboardRules()
{
    registry().erase(m_topLevel);
}

void KeyboardRules::onEnter(HWND control, std::function<void()> action)
{
    m_enterActions.emplace_back(control, std::move(action));
}

bool KeyboardRules::canTakeFocus(HWND control) const
{
    for (HWND window = control; window && window != m_topLevel; window = GetParent(window)) {
        if (!IsWindowEnabled(window) || !(GetWindowLongPtrA(window, GWL_STYLE) & WS_VISIBLE))
            return false;
    }
    // A radio group is one stop: its checked item.
    if (isRadioButton(control) && SendMessageA(control, BM_GETCHECK, 0, 0) != BST_CHECKED)
        return false;
    return true;
}

void KeyboardRules::moveFocus(bool forward)
{
    if (m_tabOrder.empty())
        return;
    const auto count = static_cast<std::ptrdiff_t>(m_tabOrder.size());
    std::ptrdiff_t current = forward ? -1 : 0;
    for (HWND window = GetFocus(); window && window != m_topLevel; window = GetParent(window)) {
        const auto found = std::find(m_tabOrder.begin(), m_tabOrder.end(), window);
        if (found != m_tabOrder.end()) {
            current = found - m_tabOrder.begin();
            break;
        }
    }
    for (std::ptrdiff_t step = 1; step <= count; ++step) {
        const std::ptrdiff_t index = ((current + (forward ? step : -step)) % count + count) % count;
        if (canTakeFocus(m_tabOrder[static_cast<std::size_t>(index)])) {
            SetFocus(m_tabOrder[static_cast<std::size_t>(index)]);
            return;
        }
    }
}

bool KeyboardRules::handle(const MSG& message)
{
    if (message.message != WM_KEYDOWN)
        return false;
    HWND focus = GetFocus();
    switch (message.wParam) {
    case VK_TAB:
        if (keyDown(VK_CONTROL) || keyDown(VK_MENU))
            return false;
        moveFocus(!keyDown(VK_SHIFT));
        return true;
    case VK_RETURN:
        if (keyDown(VK_SHIFT) || keyDown(VK_CONTROL) || keyDown(VK_MENU))
            return false;
        if (focus && isPushButton(focus)) {
            SendMessageA(focus, BM_CLICK, 0, 0);
            return true;
        }
        for (const auto& [control, action] : m_enterActions) {
            if (control == focus) {
                action();
                return true;
            }
        }
        return false;
    case VK_UP:
    case VK_DOWN:
    case VK_LEFT:
    case VK_RIGHT:
        // Arrows move within a radio group, as the dialog manager does it.
        if (focus && isRadioButton(focus))
            return IsDialogMessageA(m_topLevel, const_cast<MSG*>(&message)) != FALSE;
        return false;
    default:
        return false;
    }
}

void dispatchMessage(MSG& message)
{
    if (message.hwnd) {
        const auto found = registry().find(GetAncestor(message.hwnd, GA_ROOT));
        if (found != registry().end() && found->second->handle(message))
            return;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

int runMessageLoop()
{
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        dispatchMessage(message);
    return static_cast<int>(message.wParam);
}

bool processPendingMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        dispatchMessage(message);
    }
    return true;
}

bool runNestedLoop(const std::function<bool()>& running)
{
    MSG message;
    while (running()) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        if (got < 0)
            return false;
        dispatchMessage(message);
    }
    return true;
}

} // namespace win32
