// The main window's controls as the page layer sees them: both pages'
// contents (pages/ExcelPageView.h, pages/ImportPageView.h) and the window's
// enabled states, focus and event loop (pages/WindowView.h), over the
// controls of a TForm1.
#pragma once

#include "app/win32/Controls.h"
#include "pages/ExcelPageView.h"
#include "pages/ImportPageView.h"
#include "pages/WindowView.h"

#include <windows.h>

namespace win32 {

class TForm1;

class Form1View : public pages::ExcelPageView, public pages::ImportPageView, public pages::WindowView {
  public:
    // The window's controls must exist and outlive the view.
    explicit Form1View(TForm1& form);

    pages::TextControl& LabeledEdit1() override { return m_labeledEdit1; }
    pages::TextControl& LabeledEdit2() override { return m_labeledEdit2; }
    pages::ChoiceControl& TableNameComboBox() override { return m_tableNameComboBox; }
    pages::ChoiceControl& CodeComboBox() override { return m_codeComboBox; }
    pages::TextControl& DateMaskEdit() override;
    pages::ListControl& ListBox1() override { return m_listBox1; }
    pages::CaptionControl& ProgressLabel() override { return m_progressLabel; }
    void setPreviewColumnWidths(int pixels) override;

    pages::TextControl& Dzh2InstallDirEdit() override { return m_dzh2InstallDirEdit; }
    pages::ListControl& TxtListBox() override { return m_txtListBox; }
    pages::CaptionControl& Label3() override { return m_label3; }
    pages::RadioGroupControl& RadioGroup1() override { return m_radioGroup1; }

    bool isEnabled(pages::Control control) const override;
    void setEnabled(pages::Control control, bool enabled) override;
    FocusHandle focus() const override;
    void restoreFocus(FocusHandle handle) override;
    void processEvents() override;

  private:
    HWND window(pages::Control control) const;

    TForm1& m_form;
    EditText m_labeledEdit1;
    EditText m_labeledEdit2;
    DropDownList m_tableNameComboBox;
    DropDownList m_codeComboBox;
    MultiSelectList m_listBox1;
    LabelCaption m_progressLabel;
    EditText m_dzh2InstallDirEdit;
    MultiSelectList m_txtListBox;
    LabelCaption m_label3;
    RadioButtons m_radioGroup1;
};

} // namespace win32
