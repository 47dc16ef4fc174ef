#include "app/win32/Controls.h"

#include "app/win32/Layout.h"
#include "app/win32/Win32Text.h"

#include <stdexcept>

namespace win32 {

namespace {

// Runs `fill` without a repaint per step, then repaints once.
template <typename Fill> void asOneBatch(HWND window, Fill fill)
{
    SendMessageA(window, WM_SETREDRAW, FALSE, 0);
    fill();
    SendMessageA(window, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(window, nullptr, TRUE);
}

} // namespace

std::string EditText::text() const
{
    return windowText(m_edit);
}

void EditText::setText(const std::string& text)
{
    SetWindowTextA(m_edit, text.c_str());
}

void LabelCaption::setCaption(const std::string& text)
{
    setLabelCaption(m_label, text);
}

void LabelCaption::holdPainting(bool hold)
{
    SendMessageA(m_label, WM_SETREDRAW, hold ? FALSE : TRUE, 0);
    if (!hold) {
        // The label's old extent is the parent's to repaint, the new one its own.
        InvalidateRect(GetParent(m_label), nullptr, TRUE);
        InvalidateRect(m_label, nullptr, TRUE);
    }
}

void DropDownList::setItems(const std::vector<std::string>& items)
{
    asOneBatch(m_combo, [&] {
        SendMessageA(m_combo, CB_RESETCONTENT, 0, 0);
        for (const std::string& item : items)
            SendMessageA(m_combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        SendMessageA(m_combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    });
}

std::optional<std::size_t> DropDownList::selectedIndex() const
{
    const LRESULT index = SendMessageA(m_combo, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR)
        return std::nullopt;
    return static_cast<std::size_t>(index);
}

std::string DropDownList::text() const
{
    const auto index = selectedIndex();
    if (!index)
        return {};
    const LRESULT length = SendMessageA(m_combo, CB_GETLBTEXTLEN, *index, 0);
    if (length == CB_ERR)
        return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    SendMessageA(m_combo, CB_GETLBTEXT, *index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

std::size_t MultiSelectList::count() const
{
    return static_cast<std::size_t>(SendMessageA(m_list, LB_GETCOUNT, 0, 0));
}

std::string MultiSelectList::item(std::size_t index) const
{
    const LRESULT length = SendMessageA(m_list, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR)
        throw std::out_of_range("list index out of range");
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    SendMessageA(m_list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

bool MultiSelectList::isSelected(std::size_t index) const
{
    return SendMessageA(m_list, LB_GETSEL, index, 0) > 0;
}

void MultiSelectList::append(const std::vector<std::string>& items)
{
    asOneBatch(m_list, [&] {
        for (const std::string& item : items)
            SendMessageA(m_list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    });
}

void MultiSelectList::remove(std::size_t index)
{
    SendMessageA(m_list, LB_DELETESTRING, index, 0);
}

void MultiSelectList::clear()
{
    SendMessageA(m_list, LB_RESETCONTENT, 0, 0);
}

int RadioButtons::itemIndex() const
{
    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        if (SendMessageA(m_buttons[i], BM_GETCHECK, 0, 0) == BST_CHECKED)
            return static_cast<int>(i);
    }
    return -1;
}

void RadioButtons::setItemIndex(int index)
{
    for (std::size_t i = 0; i < m_buttons.size(); ++i)
        SendMessageA(m_buttons[i], BM_SETCHECK, static_cast<int>(i) == index ? BST_CHECKED : BST_UNCHECKED,
                     0);
}

} // namespace win32
