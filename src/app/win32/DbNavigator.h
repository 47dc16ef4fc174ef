// DBNavigator1: ten owner-drawn buttons across a bar, bound to DataSource1;
// which are enabled, and what each does, are the page layer's rules
// (pages/NavigatorRules.h).
#pragma once

#include "pages/DataSource.h"
#include "pages/NavigatorRules.h"

#include <windows.h>

#include <array>

namespace win32 {

class DbNavigator : public pages::NavigatorButtons, private pages::DataLinkListener {
  public:
    DbNavigator(HWND parent, int left, int top, int width, int height);
    ~DbNavigator() override;
    DbNavigator(const DbNavigator&) = delete;
    DbNavigator& operator=(const DbNavigator&) = delete;

    HWND handle() const { return m_bar; }
    HWND button(Button which) const { return m_buttons[which]; }
    // The link must outlive the navigator.
    void setDataSource(pages::DataSource& source);

    // The bar's WM_COMMAND and WM_DRAWITEM, passed on by the window; true when handled.
    bool command(HWND control);
    bool drawItem(const DRAWITEMSTRUCT& item);

  private:
    void dataSetReset() override { updateButtons(); }
    void recordMoved() override { updateButtons(); }
    void updateButtons();

    HWND m_bar;
    std::array<HWND, kButtonCount> m_buttons{};
    pages::DataSource* m_source = nullptr;
};

} // namespace win32
