#include "app/win32/Layout.h"

#include "app/win32/Win32Text.h"

#include <commctrl.h>

namespace win32 {

namespace {

constexpr const char* kContainerClass = "TarnvaleContainer";
constexpr int kItemHeight = 12;

LRESULT CALLBACK containerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
        // The top-level window handles every control of its pages and panels.
        return SendMessageA(GetAncestor(window, GA_ROOT), message, wParam, lParam);
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        const auto border = static_cast<Border>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (border == Border::RaisedBevel)
            DrawEdge(dc, &client, BDR_RAISEDINNER, BF_RECT);
        else if (border == Border::Frame)
            DrawEdge(dc, &client, EDGE_ETCHED, BF_RECT);
        EndPaint(window, &paint);
        return 0;
    }
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace

void registerWindowClass(const char* name, WNDPROC procedure, HICON icon)
{
    WNDCLASSA existing{};
    if (GetClassInfoA(GetModuleHandleA(nullptr), name, &existing))
        return;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hIcon = icon;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = name;
    RegisterClassA(&windowClass);
}

HWND createControl(HWND parent, const char* windowClass, const std::string& text, DWORD style, DWORD exStyle,
                   Bounds bounds, HFONT font)
{
    HWND control = CreateWindowExA(exStyle, windowClass, text.c_str(), style | WS_CHILD | WS_VISIBLE,
                                   bounds.left, bounds.top, bounds.width, bounds.height, parent, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
    if (control && font)
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

HWND createContainer(HWND parent, Bounds bounds, Border border, DWORD exStyle)
{
    registerWindowClass(kContainerClass, containerProc);
    HWND container =
        createControl(parent, kContainerClass, "", WS_CLIPSIBLINGS, exStyle, bounds, layoutFont(-12));
    SetWindowLongPtrA(container, GWLP_USERDATA, static_cast<LONG_PTR>(border));
    return container;
}

HWND createLabel(HWND parent, const std::string& caption, int left, int top, HFONT font)
{
    HWND label = createControl(parent, "STATIC", "", SS_LEFT | SS_NOPREFIX, 0, {left, top, 0, 0}, font);
    setLabelCaption(label, caption);
    return label;
}

void setLabelCaption(HWND label, const std::string& caption)
{
    SetWindowTextA(label, caption.c_str());
    const auto font = reinterpret_cast<HFONT>(SendMessageA(label, WM_GETFONT, 0, 0));
    const SIZE size = textExtent(font, caption);
    SetWindowPos(label, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LabeledEdit createLabeledEdit(HWND parent, const std::string& caption, SIZE labelSize, Bounds bounds,
                              HFONT font)
{
    LabeledEdit result{};
    result.edit = createEdit(parent, bounds, font);
    result.label =
        createControl(parent, "STATIC", caption, SS_LEFT | SS_NOPREFIX, 0,
                      {bounds.left, bounds.top - labelSize.cy - 3, labelSize.cx, labelSize.cy}, font);
    return result;
}

HWND createDropDownList(HWND parent, Bounds bounds, HFONT font)
{
    // The height given to a combo box is that of its drop-down part too.
    HWND combo = createControl(parent, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0,
                               {bounds.left, bounds.top, bounds.width, bounds.height + 200}, font);
    SendMessageA(combo, CB_SETITEMHEIGHT, 0, kItemHeight);
    // The closed box as high as the layout has it (its frame takes 6 pixels).
    SendMessageA(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), bounds.height - 6);
    return combo;
}

HWND createMultiSelectList(HWND parent, Bounds bounds, HFONT font)
{
    HWND list = createControl(parent, "LISTBOX", "",
                              LBS_EXTENDEDSEL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
                              WS_EX_CLIENTEDGE, bounds, font);
    SendMessageA(list, LB_SETITEMHEIGHT, 0, kItemHeight);
    return list;
}

HWND createButton(HWND parent, const std::string& caption, Bounds bounds, HFONT font)
{
    return createControl(parent, "BUTTON", caption, BS_PUSHBUTTON | WS_TABSTOP, 0, bounds, font);
}

HWND createEdit(HWND parent, Bounds bounds, HFONT font)
{
    return createControl(parent, "EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, bounds, font);
}

Bounds boundsInParent(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

SIZE outerSize(DWORD style, DWORD exStyle, int width, int height)
{
    RECT rect{0, 0, width, height};
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

} // namespace win32
