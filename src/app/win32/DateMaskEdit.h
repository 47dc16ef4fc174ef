// The quote-date field: an edit control whose keys go to common::DateMask
// and which shows the mask's text and caret. It checks the day when the
// focus moves to another control of its window and on Enter; a failed check
// beeps, keeps the focus in the field and shows the error box.
#pragma once

#include "common/DateMask.h"
#include "pages/Controls.h"

#include <windows.h>

namespace pages {
class Dialogs;
}

namespace win32 {

class DateMaskEdit : public pages::TextControl {
  public:
    // Subclasses `edit`, which must live as long as this object.
    DateMaskEdit(HWND edit, pages::Dialogs& dialogs, char dateSeparator);

    HWND handle() const { return m_edit; }
    const common::DateMask& mask() const { return m_mask; }
    // How many refused keys or failed checks have sounded the beep.
    int beepCount() const { return m_beeps; }

    // Ten characters, blanks read as spaces.
    std::string text() const override { return m_mask.text(); }
    // Not an edit by the user: clears the changed state.
    void setText(const std::string& text) override;

  private:
    static LRESULT CALLBACK subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool keyDown(WPARAM key);
    void typeChar(char c);
    // The selection, when there is one, as [begin, end).
    bool selection(int& begin, int& end) const;
    void clearSelection();
    void validate();
    void beep();
    void refresh();

    HWND m_edit;
    WNDPROC m_editProc;
    pages::Dialogs& m_dialogs;
    common::DateMask m_mask;
    int m_beeps = 0;
    // The focus comes back after a failed check: not a new entry.
    bool m_returning = false;
};

} // namespace win32
