// The mapping dialog colnameForm: pick a sheet column, type a custom data
// name, and "确定" appends column + "<->" + name to the main window's mapping
// list (Form1's ListBox1).
// Created once; closing only hides it, so its controls keep their contents.
#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace app {

class Dialogs;
class LabeledEdit;

class TcolnameForm : public QDialog {
  public:
    // `mappingList` must outlive the dialog.
    TcolnameForm(Dialogs& dialogs, QListWidget& mappingList);

    // Shows the dialog modally in a nested event loop until it is closed, then
    // hides it. The result is the dialog's modal result (Rejected when closed).
    int showModal();

    QLabel* Label1 = nullptr;
    QComboBox* ComboBox1 = nullptr; // the open sheet's field names (filled by the sheet handler)
    LabeledEdit* LabeledEdit1 = nullptr;
    QPushButton* Button1 = nullptr; // "确定"

    void ComboBox1Change();
    void Button1Click();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    Dialogs& m_dialogs;
    QListWidget& m_mappingList;
};

} // namespace app
