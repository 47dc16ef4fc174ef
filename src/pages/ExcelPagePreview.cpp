// The sheet preview on the page "Excel转txt": choosing a workbook, opening
// one of its sheets, sorting by a column title.
#include "pages/ExcelPage.h"

#include "pages/ExcelPageView.h"
#include "pages/MappingDialogView.h"
#include "pages/RunLock.h"
#include "workbook/ConnectionString.h"
#include "workbook/Statement.h"

namespace pages {

namespace {

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

void ExcelPage::Browse1ButtonClick()
{
    const std::optional<std::string> path = m_shared.dialogs.openFile(
        m_shared.context.codePageText(kExcelFileFilter), m_shared.openDialog1Options);
    if (!path)
        return;
    m_view.LabeledEdit1().setText(*path);
    openWorkbook();
}

void ExcelPage::LabeledEdit1ReturnPressed()
{
    if (m_shared.runs.inProgress())
        return;
    openWorkbook();
}

void ExcelPage::openWorkbook()
{
    // The preview of the previous workbook goes with its connection: edits
    // posted there and a conversion run would otherwise still work on a
    // workbook that the page no longer names. A row still being edited is
    // posted first, as leaving it would; closing would drop it unasked.
    DataSource1.checkBrowseMode();
    ADOQuery1.close();
    DataSource1.dataSetChanged();
    fillFieldNameLists({});
    // Its sheets go too: a workbook that fails to open must not look open.
    m_view.TableNameComboBox().setItems({});

    ADOConnection1.close();
    m_openWorkbookPath.clear();
    const std::string path = m_view.LabeledEdit1().text();
    ADOConnection1.setConnectionString(std::string());
    ADOConnection1.setConnectionString(workbook::connectionStringFor(path));
    ADOConnection1.setLoginPrompt(false);
    ADOConnection1.open();
    m_openWorkbookPath = path;
    m_view.TableNameComboBox().setItems(workbook::listedTableNames(ADOConnection1.tables()));
}

void ExcelPage::TableNameComboBoxChange()
{
    const std::string sheetName = m_view.TableNameComboBox().text();
    // As above: a row being edited is posted rather than dropped by the close.
    DataSource1.checkBrowseMode();
    {
        const DataSetChangedOnExit notify(DataSource1);
        ADOQuery1.close();
        ADOQuery1.setStatement(std::string());
        ADOQuery1.setStatement(workbook::selectAllFrom(sheetName));
        ADOQuery1.open();
    }
    m_view.setPreviewColumnWidths(kPreviewColumnWidth);

    std::vector<std::string> names;
    for (const table::Field& field : ADOQuery1.fields())
        names.push_back(field.name);
    fillFieldNameLists(names);
}

void ExcelPage::fillFieldNameLists(const std::vector<std::string>& names)
{
    // Neither list has a picked item afterwards, and neither list's own
    // handler runs: they react to the user's picks only.
    m_view.CodeComboBox().setItems(names);
    if (m_colnameForm)
        m_colnameForm->ComboBox1().setItems(names);
}

void ExcelPage::DBGrid1TitleClick(std::size_t column)
{
    // The grid shows no titles while the link is off (during a run).
    if (!DataSource1.isActive() || column >= ADOQuery1.fields().size())
        return;
    // An edit in progress is finished first, as leaving the row would; a
    // refused post has shown its error and leaves the order as it is.
    if (!DataSource1.checkBrowseMode())
        return;
    const std::string title = ADOQuery1.fields()[column].name;
    const DataSetChangedOnExit notify(DataSource1);
    ADOQuery1.setSort(title);
}

} // namespace pages
