// The mapping dialog colnameForm: a tool window owned by the main window.
// Pick a sheet column, type a custom data name, and "确定" appends column +
// "<->" + name to the main window's mapping list; what the handlers do is
// the page layer's (pages/MappingDialog.h). Created once; closing only
// hides it, so its controls keep their contents.
#pragma once

#include "app/win32/Controls.h"
#include "app/win32/MessageLoop.h"
#include "pages/MappingDialog.h"
#include "pages/MappingDialogView.h"

#include <windows.h>

#include <memory>

namespace pages {
class Dialogs;
}

namespace win32 {

class TcolnameForm {
  public:
    // `owner` is the main window; `mappingList` its ListBox1. Both must
    // outlive the dialog.
    TcolnameForm(HWND owner, pages::Dialogs& dialogs, pages::ListControl& mappingList);
    ~TcolnameForm();
    TcolnameForm(const TcolnameForm&) = delete;
    TcolnameForm& operator=(const TcolnameForm&) = delete;

    HWND handle() const { return m_window; }
    // True while shown modally.
    bool isModal() const { return m_modal; }

    HWND Label1 = nullptr;
    HWND ComboBox1 = nullptr; // the open sheet's field names (filled by the sheet handler)
    HWND LabeledEdit1 = nullptr;
    HWND LabeledEdit1Label = nullptr;
    HWND Button1 = nullptr; // "确定"

    // The dialog as the main window's page sees it.
    pages::MappingDialogView& view();

    // Disables the owner, shows the dialog and runs a nested loop until the
    // dialog is closed; then hides it and activates the owner again.
    void showModal();
    // Ends the modal showing (as the close box does).
    void close();

  private:
    class View;

    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_owner;
    pages::Dialogs& m_dialogs;
    HWND m_window = nullptr;
    std::unique_ptr<View> m_view;
    std::unique_ptr<pages::MappingDialog> m_logic;
    std::unique_ptr<KeyboardRules> m_keyboard;
    bool m_modal = false;
    bool m_shownBefore = false;
};

} // namespace win32
