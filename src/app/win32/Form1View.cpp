#include "app/win32/Form1View.h"

#include "app/win32/MessageLoop.h"
#include "app/win32/TForm1.h"

namespace win32 {

Form1View::Form1View(TForm1& form)
    : m_form(form), m_labeledEdit1(form.LabeledEdit1), m_labeledEdit2(form.LabeledEdit2),
      m_tableNameComboBox(form.TableNameComboBox), m_codeComboBox(form.CodeComboBox),
      m_listBox1(form.ListBox1), m_progressLabel(form.ProgressLabel),
      m_dzh2InstallDirEdit(form.Dzh2InstallDirEdit), m_txtListBox(form.TxtListBox), m_label3(form.Label3)
{
    m_radioGroup1.bind({form.RadioGroup1Items[0], form.RadioGroup1Items[1]});
}

pages::TextControl& Form1View::DateMaskEdit()
{
    return *m_form.DateMaskEdit;
}

void Form1View::setPreviewColumnWidths(int pixels)
{
    m_form.DBGrid1->setColumnWidths(pixels);
}

HWND Form1View::window(pages::Control control) const
{
    using pages::Control;
    switch (control) {
    case Control::Button2:
        return m_form.Button2;
    case Control::Button3:
        return m_form.Button3;
    case Control::InRelaButton:
        return m_form.InRelaButton;
    case Control::OutRelaButton:
        return m_form.OutRelaButton;
    case Control::AddlineButton:
        return m_form.AddlineButton;
    case Control::DelLineButton:
        return m_form.DelLineButton;
    case Control::Browse1Button:
        return m_form.Browse1Button;
    case Control::Browse2Button:
        return m_form.Browse2Button;
    case Control::TableNameComboBox:
        return m_form.TableNameComboBox;
    case Control::CodeComboBox:
        return m_form.CodeComboBox;
    case Control::DateMaskEdit:
        return m_form.DateMaskEdit->handle();
    case Control::BrowDzhDirButton:
        return m_form.BrowDzhDirButton;
    case Control::AddDirButton:
        return m_form.AddDirButton;
    case Control::AddTxtButton:
        return m_form.AddTxtButton;
    case Control::DelFileListButton:
        return m_form.DelFileListButton;
    case Control::Button4:
        return m_form.Button4;
    case Control::Dzh2InstallDirEdit:
        return m_form.Dzh2InstallDirEdit;
    case Control::RadioGroup1:
        return m_form.RadioGroup1;
    }
    return nullptr;
}

bool Form1View::isEnabled(pages::Control control) const
{
    // IsWindowEnabled reads the window's own state, not its parent's.
    return IsWindowEnabled(window(control)) != FALSE;
}

void Form1View::setEnabled(pages::Control control, bool enabled)
{
    EnableWindow(window(control), enabled);
    // The group's items look as the group is.
    if (control == pages::Control::RadioGroup1) {
        for (HWND item : m_form.RadioGroup1Items)
            EnableWindow(item, enabled);
    }
}

pages::WindowView::FocusHandle Form1View::focus() const
{
    return GetFocus();
}

void Form1View::restoreFocus(FocusHandle handle)
{
    // The handle is only compared until it is known to be a living window.
    HWND control = static_cast<HWND>(const_cast<void*>(handle));
    if (control && IsWindow(control) && IsWindowEnabled(control) && IsWindowVisible(control))
        SetFocus(control);
}

void Form1View::processEvents()
{
    processPendingMessages();
}

} // namespace win32
