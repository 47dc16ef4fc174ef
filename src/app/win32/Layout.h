// Building the windows from their layouts: child controls at their layout
// positions in the layout's font, labels that size themselves to their
// captions, and the plain container windows (tab pages, the panel, the
// radio group's frame, the navigator's bar) that pass their children's
// notifications on to the window that handles them.
#pragma once

#include <windows.h>

#include <string>

namespace win32 {

struct Bounds {
    int left, top, width, height;
};

// How a container draws its border.
enum class Border { None, RaisedBevel, Frame };

// Registers a window class of this program (once; later calls do nothing):
// the arrow cursor, the button-face background, `icon` if any.
void registerWindowClass(const char* name, WNDPROC procedure, HICON icon = nullptr);

// A child window of `parent` (WS_CHILD | WS_VISIBLE are added) in `font`.
HWND createControl(HWND parent, const char* windowClass, const std::string& text, DWORD style, DWORD exStyle,
                   Bounds bounds, HFONT font);

// A container: its children's WM_COMMAND, WM_NOTIFY and WM_DRAWITEM go to
// its top-level window, which handles every control's events.
HWND createContainer(HWND parent, Bounds bounds, Border border, DWORD exStyle = WS_EX_CONTROLPARENT);

// A label at `left`, `top` that sizes itself to its caption.
HWND createLabel(HWND parent, const std::string& caption, int left, int top, HFONT font);
// Sets a label's caption and fits its size to it.
void setLabelCaption(HWND label, const std::string& caption);

// A labeled edit: the edit at `bounds`, its label above it (left edge
// aligned, bottom 3 pixels above the edit's top) with the given size.
struct LabeledEdit {
    HWND label;
    HWND edit;
};
LabeledEdit createLabeledEdit(HWND parent, const std::string& caption, SIZE labelSize, Bounds bounds,
                              HFONT font);

// A drop-down list (the user can only pick an item) with items 12 pixels high.
HWND createDropDownList(HWND parent, Bounds bounds, HFONT font);
// A list box with multiple (extended) selection and items 12 pixels high.
HWND createMultiSelectList(HWND parent, Bounds bounds, HFONT font);
HWND createButton(HWND parent, const std::string& caption, Bounds bounds, HFONT font);
HWND createEdit(HWND parent, Bounds bounds, HFONT font);

// The position and size of `window` inside its parent's client area.
Bounds boundsInParent(HWND window);

// The outer size of a window whose client area is `width` x `height`.
SIZE outerSize(DWORD style, DWORD exStyle, int width, int height);

} // namespace win32
