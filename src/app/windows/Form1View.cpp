#include "app/windows/Form1View.h"

#include "app/windows/AutoSizeLabel.h"
#include "app/windows/DateMaskEdit.h"
#include "app/windows/DbGrid.h"
#include "app/windows/LabeledEdit.h"
#include "app/windows/RadioGroup.h"
#include "app/windows/TForm1.h"

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>

namespace app {

Form1View::Form1View(TForm1& form)
    : m_form(form), m_labeledEdit1(*form.LabeledEdit1), m_labeledEdit2(*form.LabeledEdit2),
      m_tableNameComboBox(*form.TableNameComboBox), m_codeComboBox(*form.CodeComboBox),
      m_dateMaskEdit(*form.DateMaskEdit), m_listBox1(*form.ListBox1), m_progressLabel(*form.ProgressLabel),
      m_dzh2InstallDirEdit(*form.Dzh2InstallDirEdit), m_txtListBox(*form.TxtListBox), m_label3(*form.Label3),
      m_radioGroup1(*form.RadioGroup1)
{
}

void Form1View::setPreviewColumnWidths(int pixels)
{
    for (int column = 0; column < m_form.DBGrid1->model()->columnCount(); ++column)
        m_form.DBGrid1->setColumnWidth(column, pixels);
}

QWidget* Form1View::widget(pages::Control control) const
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
        return m_form.DateMaskEdit;
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
    // Its own state: a control on a hidden or disabled page keeps it.
    return !widget(control)->testAttribute(Qt::WA_ForceDisabled);
}

void Form1View::setEnabled(pages::Control control, bool enabled)
{
    widget(control)->setEnabled(enabled);
}

pages::WindowView::FocusHandle Form1View::focus() const
{
    return QApplication::focusWidget();
}

void Form1View::restoreFocus(FocusHandle handle)
{
    // The handle is only compared until it is known to be a living widget.
    const QWidgetList widgets = QApplication::allWidgets();
    for (QWidget* candidate : widgets) {
        if (candidate == handle) {
            if (candidate->isEnabled() && candidate->isVisible())
                candidate->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

void Form1View::processEvents()
{
    QCoreApplication::processEvents();
}

} // namespace app
