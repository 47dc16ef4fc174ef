// The handlers of the sheet preview on the page "Excel转txt": choosing a
// workbook, opening one of its sheets, sorting by a column title; and the
// wiring of the connection, query, data link, grid and navigator.
#include "app/windows/TForm1.h"

#include "app/DataSource.h"
#include "app/Guard.h"
#include "app/SheetModel.h"
#include "app/TextBridge.h"
#include "app/windows/DbGrid.h"
#include "app/windows/DbNavigator.h"
#include "app/windows/LabeledEdit.h"
#include "app/windows/TcolnameForm.h"
#include "workbook/Connection.h"
#include "workbook/ConnectionString.h"
#include "workbook/Query.h"
#include "workbook/Statement.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace app {

namespace {

// Every column of a freshly opened sheet gets this width, in pixels.
constexpr int kPreviewColumnWidth = 100;

// Tells the grid and navigator about the query when the scope ends, also
// when a step threw: a query that failed to open must show as closed.
class DataSetChangedOnExit {
  public:
    explicit DataSetChangedOnExit(DataSource& source) : m_source(source) {}
    ~DataSetChangedOnExit() { m_source.dataSetChanged(); }
    DataSetChangedOnExit(const DataSetChangedOnExit&) = delete;
    DataSetChangedOnExit& operator=(const DataSetChangedOnExit&) = delete;

  private:
    DataSource& m_source;
};

} // namespace

void TForm1::createPreviewObjects()
{
    ADOConnection1 =
        std::make_unique<workbook::Connection>(m_context.codePage, m_context.settings, m_context.currentYear);
    ADOQuery1 = std::make_unique<workbook::Query>(*ADOConnection1);
    DataSource1 = new DataSource(*ADOQuery1, this);
    DataSource1->setGuard([this](const std::function<void()>& action) {
        bool ok = false;
        guarded(m_dialogs, [&] {
            action();
            ok = true;
        });
        return ok;
    });
    DataSource1->setConfirmDelete(
        [this] { return m_dialogs.question(QString::fromUtf8(kDeleteRecordQuestion)); });
    DBGrid1->setDataSource(*DataSource1);
    DBNavigator1->setDataSource(*DataSource1);
}

void TForm1::Browse1ButtonClick()
{
    const std::optional<QString> path =
        m_dialogs.openFile(QString::fromUtf8(kExcelFileFilter), m_openDialog1Options);
    if (!path)
        return;
    LabeledEdit1->setText(*path);
    openWorkbook();
}

void TForm1::LabeledEdit1ReturnPressed()
{
    // "浏览..." is blocked while a run goes, and so is this way to it.
    if (runInProgress())
        return;
    openWorkbook();
}

void TForm1::openWorkbook()
{
    // The preview of the previous workbook goes with its connection: edits
    // posted there and a conversion run would otherwise still work on a
    // workbook that the page no longer names. A row still being edited is
    // posted first, as leaving it would; closing would drop it unasked.
    DataSource1->checkBrowseMode();
    ADOQuery1->close();
    DataSource1->dataSetChanged();
    clearFieldNameLists();
    // Its sheets go too: a workbook that fails to open must not look open.
    fillSheetList({});

    ADOConnection1->close();
    m_openWorkbookPath.clear();
    const QString path = LabeledEdit1->text();
    ADOConnection1->setConnectionString(std::string());
    ADOConnection1->setConnectionString(workbook::connectionStringFor(toBytes(path)));
    ADOConnection1->setLoginPrompt(false);
    ADOConnection1->open();
    m_openWorkbookPath = path;
    fillSheetList(ADOConnection1->tables());
}

void TForm1::fillSheetList(const std::vector<workbook::TableSchemaRow>& schema)
{
    // One batch: no repaint and no change signal per item.
    const QSignalBlocker blocker(TableNameComboBox);
    TableNameComboBox->setUpdatesEnabled(false);
    TableNameComboBox->clear();
    for (const std::string& name : workbook::listedTableNames(schema))
        TableNameComboBox->addItem(fromBytes(name));
    TableNameComboBox->setCurrentIndex(-1);
    TableNameComboBox->setUpdatesEnabled(true);
}

void TForm1::TableNameComboBoxChange()
{
    const std::string sheetName = toBytes(TableNameComboBox->currentText());
    // As above: a row being edited is posted rather than dropped by the close.
    DataSource1->checkBrowseMode();
    {
        const DataSetChangedOnExit notify(*DataSource1);
        ADOQuery1->close();
        ADOQuery1->setStatement(std::string());
        ADOQuery1->setStatement(workbook::selectAllFrom(sheetName));
        ADOQuery1->open();
    }
    for (int column = 0; column < DBGrid1->model()->columnCount(); ++column)
        DBGrid1->setColumnWidth(column, kPreviewColumnWidth);

    clearFieldNameLists();
    QComboBox* const mappingColumns = m_colnameForm ? m_colnameForm->ComboBox1 : nullptr;
    // Filled without change signals, as the lists' own handlers react to the
    // user's picks only; and neither list has a selection afterwards.
    const QSignalBlocker codeBlocker(CodeComboBox);
    const QSignalBlocker mappingBlocker(mappingColumns);
    for (const table::Field& field : ADOQuery1->fields()) {
        CodeComboBox->addItem(fromBytes(field.name));
        if (mappingColumns)
            mappingColumns->addItem(fromBytes(field.name));
    }
    CodeComboBox->setCurrentIndex(-1);
    if (mappingColumns)
        mappingColumns->setCurrentIndex(-1);
}

void TForm1::clearFieldNameLists()
{
    const QSignalBlocker codeBlocker(CodeComboBox);
    CodeComboBox->clear();
    if (m_colnameForm) {
        const QSignalBlocker mappingBlocker(m_colnameForm->ComboBox1);
        m_colnameForm->ComboBox1->clear();
    }
}

void TForm1::DBGrid1TitleClick(int column)
{
    SheetModel* const model = DBGrid1->sheetModel();
    if (!model || column < 0 || column >= model->columnCount())
        return;
    // An edit in progress is finished first, as leaving the row would; a
    // refused post has shown its error and leaves the order as it is.
    if (!DataSource1->checkBrowseMode())
        return;
    const std::string title = model->fieldName(column);
    const DataSetChangedOnExit notify(*DataSource1);
    ADOQuery1->setSort(title);
}

} // namespace app
