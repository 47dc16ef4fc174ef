// The main window Form1: the page control "help" with the pages "Excel转txt"
// and "自定义数据引入". Controls keep their layout names (as members and as
// objectName) so that handlers and tests find them by those names. The
// window only lays them out and forwards their events: what the handlers do
// is the page layer's (pages/MainWindow.h), which sees the controls through
// a Form1View.
#pragma once

#include "pages/AppContext.h"
#include "pages/Dialogs.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <memory>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace workbook {
class Connection;
class Query;
} // namespace workbook

namespace pages {
class DataSource;
class MainWindow;
} // namespace pages

namespace app {

class AutoSizeLabel;
class DateMaskEdit;
class DbGrid;
class DbNavigator;
class Form1View;
class LabeledEdit;
class RadioGroup;
class TcolnameForm;

class TForm1 : public QWidget {
  public:
    TForm1(pages::Dialogs& dialogs, pages::AppContext context, QWidget* parent = nullptr);
    ~TForm1() override;

    pages::Dialogs& dialogs() const;
    const pages::AppContext& context() const;
    // The mapping dialog, created after this window (start-up order).
    void setColnameForm(TcolnameForm* form);
    TcolnameForm* colnameForm() const { return m_colnameForm; }
    // The options of the shared file-open dialog OpenDialog1.
    pages::FileDialogOptions& openDialog1Options();
    // True while a conversion or an import runs.
    bool runInProgress() const;

    // --- Controls, by layout name ---
    QTabWidget* help = nullptr;
    QWidget* TabSheet1 = nullptr;
    QFrame* Panel1 = nullptr;
    DbGrid* DBGrid1 = nullptr;           // the preview grid (its model: SheetModel)
    LabeledEdit* LabeledEdit1 = nullptr; // "Excel文件："
    DbNavigator* DBNavigator1 = nullptr;
    QPushButton* Button2 = nullptr;      // "转换"
    LabeledEdit* LabeledEdit2 = nullptr; // "Txt文件保存路径："
    QPushButton* Browse1Button = nullptr;
    QPushButton* Browse2Button = nullptr;
    QComboBox* CodeComboBox = nullptr;
    QComboBox* TableNameComboBox = nullptr;
    QPushButton* InRelaButton = nullptr;
    QPushButton* OutRelaButton = nullptr;
    QPushButton* AddlineButton = nullptr;
    QPushButton* DelLineButton = nullptr;
    QListWidget* ListBox1 = nullptr; // the mapping list
    app::DateMaskEdit* DateMaskEdit = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label6 = nullptr;
    AutoSizeLabel* ProgressLabel = nullptr; // use setCaption(): it sizes itself to its text

    QWidget* TabSheet2 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* Dzh2InstallDirEdit = nullptr;
    QPushButton* BrowDzhDirButton = nullptr;
    AutoSizeLabel* Label3 = nullptr; // the import progress; use setCaption()
    QListWidget* TxtListBox = nullptr;
    QPushButton* AddDirButton = nullptr;
    QPushButton* AddTxtButton = nullptr;
    QPushButton* DelFileListButton = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button3 = nullptr;
    RadioGroup* RadioGroup1 = nullptr;

    // --- Non-visual objects: the page layer's ---
    workbook::Connection* ADOConnection1 = nullptr;
    workbook::Query* ADOQuery1 = nullptr;
    pages::DataSource* DataSource1 = nullptr; // the data link between ADOQuery1 and the grid/navigator

    // --- Handlers, named after the control and the event. Each is connected
    // in the constructor through the guard and hands over to the page layer,
    // which throws common::Error to end with the error box. ---

    // Sheet preview.
    void Browse1ButtonClick();
    // Enter in "Excel文件：" opens the typed path as the browse button opens a chosen file.
    void LabeledEdit1ReturnPressed();
    // The text of "Excel文件：" with which the open connection was opened;
    // empty while none is open.
    QString openWorkbookPath() const;
    void TableNameComboBoxChange();
    void DBGrid1TitleClick(int column);

    // Conversion.
    void Button2Click();
    void Browse2ButtonClick();

    // Mapping list.
    void InRelaButtonClick();
    void OutRelaButtonClick();
    void AddlineButtonClick();
    void DelLineButtonClick();

    // Import page.
    void BrowDzhDirButtonClick();
    void AddDirButtonClick();
    void AddTxtButtonClick();
    void DelFileListButtonClick();
    void Button4Click();
    void Button3Click();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void createExcelPage(pages::Dialogs& dialogs, char dateSeparator);
    void createPanel1Controls(pages::Dialogs& dialogs, char dateSeparator);
    void createImportPage();
    // The page layer over the controls; its data link bound to the grid and navigator.
    void createPages(pages::Dialogs& dialogs, pages::AppContext context);
    void setTabOrders();
    void connectHandlers();
    // Connects a click to a handler that runs through the guard.
    void onClick(QPushButton* button, void (TForm1::*handler)());
    // Runs `body` through the guard, showing what escapes in the error box.
    void run(const std::function<void()>& body);

    std::unique_ptr<Form1View> m_view;
    std::unique_ptr<pages::MainWindow> m_pages;
    TcolnameForm* m_colnameForm = nullptr;
};

} // namespace app
