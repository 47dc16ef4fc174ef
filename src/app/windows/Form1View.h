// The main window's controls as the page layer sees them: both pages'
// contents (pages/ExcelPageView.h, pages/ImportPageView.h) and the window's
// enabled states, focus and event loop (pages/WindowView.h), over the
// widgets of a TForm1.
#pragma once

#include "app/windows/ControlAdapters.h"
#include "pages/ExcelPageView.h"
#include "pages/ImportPageView.h"
#include "pages/WindowView.h"

class QWidget;

namespace app {

class TForm1;

class Form1View : public pages::ExcelPageView, public pages::ImportPageView, public pages::WindowView {
  public:
    // The window's controls must exist and outlive the view.
    explicit Form1View(TForm1& form);

    pages::TextControl& LabeledEdit1() override { return m_labeledEdit1; }
    pages::TextControl& LabeledEdit2() override { return m_labeledEdit2; }
    pages::ChoiceControl& TableNameComboBox() override { return m_tableNameComboBox; }
    pages::ChoiceControl& CodeComboBox() override { return m_codeComboBox; }
    pages::TextControl& DateMaskEdit() override { return m_dateMaskEdit; }
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
    QWidget* widget(pages::Control control) const;

    TForm1& m_form;
    LineEditControl m_labeledEdit1;
    LineEditControl m_labeledEdit2;
    ComboBoxControl m_tableNameComboBox;
    ComboBoxControl m_codeComboBox;
    DateMaskControl m_dateMaskEdit;
    ListWidgetControl m_listBox1;
    LabelControl m_progressLabel;
    LineEditControl m_dzh2InstallDirEdit;
    ListWidgetControl m_txtListBox;
    LabelControl m_label3;
    RadioButtonsControl m_radioGroup1;
};

} // namespace app
