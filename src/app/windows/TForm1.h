// The main window Form1: the page control "help" with the pages "Excel转txt"
// and "自定义数据引入". Controls keep their layout names (as members and as
// objectName) so that handlers and tests find them by those names.
#pragma once

#include "app/AppContext.h"
#include "app/Dialogs.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

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
struct TableSchemaRow;
} // namespace workbook

namespace app {

class AutoSizeLabel;
class DataSource;
class DateMaskEdit;
class DbGrid;
class DbNavigator;
class LabeledEdit;
class RadioGroup;
class TcolnameForm;

class TForm1 : public QWidget {
  public:
    TForm1(Dialogs& dialogs, AppContext context, QWidget* parent = nullptr);
    ~TForm1() override;

    Dialogs& dialogs() const { return m_dialogs; }
    const AppContext& context() const { return m_context; }
    // The mapping dialog, created after this window (start-up order).
    void setColnameForm(TcolnameForm* form) { m_colnameForm = form; }
    TcolnameForm* colnameForm() const { return m_colnameForm; }
    // The options of the shared file-open dialog OpenDialog1. Every user hands
    // them to the Dialogs seam; AddTxtButtonClick leaves them at none().
    FileDialogOptions& openDialog1Options() { return m_openDialog1Options; }
    // SaveDialog1 keeps the options it was laid out with.
    const FileDialogOptions& saveDialog1Options() const { return m_saveDialog1Options; }
    // True while a conversion or an import runs.
    bool runInProgress() const { return m_runDepth > 0; }

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

    // --- Non-visual objects ---
    std::unique_ptr<workbook::Connection> ADOConnection1;
    std::unique_ptr<workbook::Query> ADOQuery1;
    DataSource* DataSource1 = nullptr; // the data link between ADOQuery1 and the grid/navigator

    // --- Handlers. Each is connected in the constructor through the guard, so
    // a handler simply throws common::Error to end with the error box. ---

    // Sheet preview (PreviewHandlers.cpp).
    void Browse1ButtonClick();
    // Enter in "Excel文件：" opens the typed path as the browse button opens a chosen file.
    void LabeledEdit1ReturnPressed();
    // The text of "Excel文件：" with which the open connection was opened;
    // empty while none is open.
    const QString& openWorkbookPath() const { return m_openWorkbookPath; }
    void TableNameComboBoxChange();
    void DBGrid1TitleClick(int column);

    // Conversion (ConvertHandlers.cpp).
    void Button2Click();
    void Browse2ButtonClick();

    // Mapping list (MappingHandlers.cpp).
    void InRelaButtonClick();
    void OutRelaButtonClick();
    void AddlineButtonClick();
    void DelLineButtonClick();

    // Import page (ImportPageHandlers.cpp).
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
    void createExcelPage();
    void createPanel1Controls();
    void createImportPage();
    // Connection, query and data link, bound to the grid and navigator (PreviewHandlers.cpp).
    void createPreviewObjects();
    // Opens the workbook that LabeledEdit1 names and lists its sheets; what
    // was shown of the previous workbook goes first, even when this fails.
    void openWorkbook();
    void fillSheetList(const std::vector<workbook::TableSchemaRow>& schema);
    void clearFieldNameLists();
    void setTabOrders();
    void connectHandlers();
    // Connects a click to a handler that runs through the guard.
    void onClick(QPushButton* button, void (TForm1::*handler)());
    // Runs `body` through the guard, showing what escapes in the error box.
    void run(const std::function<void()>& body);
    // Runs a conversion or an import: the runs let window events through, and
    // the controls whose use would restart, reshape or stall one take no
    // input meanwhile. Each gets its state back afterwards, also after an error.
    void runBlockingControls(const std::function<void()>& body);

    Dialogs& m_dialogs;
    AppContext m_context;
    TcolnameForm* m_colnameForm = nullptr;
    FileDialogOptions m_openDialog1Options;
    FileDialogOptions m_saveDialog1Options;
    int m_runDepth = 0;
    QString m_openWorkbookPath;
};

} // namespace app
