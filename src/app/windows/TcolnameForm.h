// The mapping dialog colnameForm: pick a sheet column, type a custom data
// name, and "确定" appends column + "<->" + name to the main window's mapping
// list (Form1's ListBox1); what the handlers do is the page layer's
// (pages/MappingDialog.h).
// Created once; closing only hides it, so its controls keep their contents.
#pragma once

#include "app/windows/ControlAdapters.h"
#include "pages/MappingDialog.h"
#include "pages/MappingDialogView.h"

#include <QDialog>

#include <memory>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace pages {
class Dialogs;
}

namespace app {

class LabeledEdit;

class TcolnameForm : public QDialog {
  public:
    // `mappingList` must outlive the dialog.
    TcolnameForm(pages::Dialogs& dialogs, QListWidget& mappingList);
    ~TcolnameForm() override;

    // Shows the dialog modally in a nested event loop until it is closed, then
    // hides it. The result is the dialog's modal result (Rejected when closed).
    int showModal();
    // The dialog as the main window's page sees it.
    pages::MappingDialogView& view();

    QLabel* Label1 = nullptr;
    QComboBox* ComboBox1 = nullptr; // the open sheet's field names (filled by the sheet handler)
    LabeledEdit* LabeledEdit1 = nullptr;
    QPushButton* Button1 = nullptr; // "确定"

    void ComboBox1Change();
    void Button1Click();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    class View;

    pages::Dialogs& m_dialogs;
    std::unique_ptr<View> m_view;
    ListWidgetControl m_mappingList;
    std::unique_ptr<pages::MappingDialog> m_logic;
};

} // namespace app
