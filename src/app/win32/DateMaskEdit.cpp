#include "app/win32/DateMaskEdit.h"

#include "pages/Guard.h"

namespace win32 {

namespace {

constexpr UINT kRefuseLeaving = WM_APP + 1;

// Whether the focus went to (or came from) another control of the same
// window, rather than to another window or application (or the window
// itself, which holds it while it becomes active).
bool sameWindow(HWND field, HWND other)
{
    const HWND root = GetAncestor(field, GA_ROOT);
    return other && other != root && GetAncestor(other, GA_ROOT) == root;
}

} // namespace

DateMaskEdit::DateMaskEdit(HWND edit, pages::Dialogs& dialogs, char dateSeparator)
    : m_edit(edit), m_dialogs(dialogs), m_mask(dateSeparator)
{
    SendMessageA(m_edit, EM_LIMITTEXT, common::DateMask::kLength, 0);
    SetWindowLongPtrA(m_edit, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_editProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(m_edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DateMaskEdit::subclassProc)));
    refresh();
}

void DateMaskEdit::setText(const std::string& text)
{
    m_mask.setText(text);
    refresh();
}

void DateMaskEdit::refresh()
{
    const std::string shown = m_mask.displayText();
    CallWindowProcA(m_editProc, m_edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(shown.c_str()));
    CallWindowProcA(m_editProc, m_edit, EM_SETSEL, m_mask.caret(), m_mask.caret());
}

void DateMaskEdit::beep()
{
    ++m_beeps;
    MessageBeep(MB_OK);
}

bool DateMaskEdit::selection(int& begin, int& end) const
{
    DWORD from = 0;
    DWORD to = 0;
    CallWindowProcA(m_editProc, m_edit, EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                    reinterpret_cast<LPARAM>(&to));
    begin = static_cast<int>(from);
    end = static_cast<int>(to);
    return end > begin;
}

void DateMaskEdit::clearSelection()
{
    int begin = 0;
    int end = 0;
    if (selection(begin, end))
        m_mask.clearRange(begin, end);
}

bool DateMaskEdit::keyDown(WPARAM key)
{
    int begin = 0;
    int end = 0;
    const bool selected = selection(begin, end);
    switch (key) {
    case VK_LEFT:
        m_mask.moveCaretLeft();
        return true;
    case VK_RIGHT:
        m_mask.moveCaretRight();
        return true;
    case VK_HOME:
        m_mask.setCaret(0);
        return true;
    case VK_END:
        m_mask.setCaret(common::DateMask::kLength);
        return true;
    case VK_BACK:
        if (selected)
            clearSelection();
        else if (m_mask.backspace() == common::DateMask::KeyResult::Beep)
            beep();
        return true;
    case VK_DELETE:
        if (selected)
            clearSelection();
        else if (m_mask.deleteForward() == common::DateMask::KeyResult::Beep)
            beep();
        return true;
    case VK_ESCAPE:
        m_mask.escape();
        return true;
    case VK_RETURN:
        validate();
        return true;
    default:
        return false;
    }
}

void DateMaskEdit::typeChar(char c)
{
    int begin = 0;
    int end = 0;
    if (c >= '0' && c <= '9' && selection(begin, end)) {
        m_mask.clearRange(begin, end);
    }
    if (m_mask.typeChar(c) == common::DateMask::KeyResult::Beep)
        beep();
}

void DateMaskEdit::validate()
{
    if (!m_mask.isChanged() || m_mask.isValid())
        return;
    beep();
    // The error box takes the focus away and gives it back: not a new entry.
    m_returning = true;
    pages::guarded(m_dialogs, [this] {
        try {
            m_mask.checkOnLeave();
        } catch (...) {
            refresh(); // the caret is on the first blank day position
            throw;
        }
    });
    m_returning = false;
    refresh();
}

LRESULT CALLBACK DateMaskEdit::subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<DateMaskEdit*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
    case WM_KEYDOWN:
        if (self->keyDown(wParam)) {
            self->refresh();
            return 0;
        }
        if (wParam == VK_TAB)
            break;
        return 0; // anything else would edit past the mask
    case WM_CHAR: {
        const auto c = static_cast<unsigned char>(wParam);
        // Control characters (Enter, Escape, Backspace, Ctrl+letters) were keys.
        if (c < 0x20 || c == 0x7f)
            return 0;
        // Only ASCII can fit a position; a double-byte character is refused as a letter is.
        self->typeChar(c < 0x80 ? static_cast<char>(c) : '\x7f');
        self->refresh();
        return 0;
    }
    case WM_IME_CHAR:
        self->beep();
        return 0;
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
    case WM_CONTEXTMENU:
        return 0;
    case WM_LBUTTONUP: {
        const LRESULT result = CallWindowProcA(self->m_editProc, window, message, wParam, lParam);
        int begin = 0;
        int end = 0;
        if (!self->selection(begin, end)) {
            self->m_mask.setCaret(begin);
            self->refresh();
        }
        return result;
    }
    case WM_SETFOCUS:
        // A box closing gives the focus back: not a new entry.
        // (nor is the window becoming active again).
        if (!self->m_returning && sameWindow(window, reinterpret_cast<HWND>(wParam)))
            self->m_mask.focusIn();
        self->m_returning = false;
        break;
    case WM_KILLFOCUS:
        if (sameWindow(window, reinterpret_cast<HWND>(wParam)) && self->m_mask.isChanged() &&
            !self->m_mask.isValid())
            PostMessageA(window, kRefuseLeaving, 0, 0);
        break;
    case kRefuseLeaving:
        self->m_returning = true;
        SetFocus(window);
        self->validate();
        return 0;
    default:
        break;
    }
    return CallWindowProcA(self->m_editProc, window, message, wParam, lParam);
}

} // namespace win32
