// The conversion on the page "Excel转txt": "转换" and the save folder's
// browse button.
#include "pages/ExcelPage.h"

#include "common/Error.h"
#include "common/FileNames.h"
#include "common/FileSystem.h"
#include "convert/ConvertInputs.h"
#include "convert/ConvertRun.h"
#include "convert/QueryRowSource.h"
#include "pages/ConvertRunHost.h"
#include "pages/ExcelPageView.h"
#include "pages/RunLock.h"

namespace pages {

namespace {

constexpr const char* kUnableToCreateDirectory = "Unable to create directory";

} // namespace

void ExcelPage::Button2Click()
{
    if (m_shared.runs.inProgress())
        return;
    const AppContext& context = m_shared.context;
    convert::ConvertInputs inputs;
    inputs.workbookPath = m_view.LabeledEdit1().text();
    // The exact text that was opened: a path typed since (and not confirmed
    // with Enter) names another workbook, even one that is the same file.
    inputs.workbookPathIsOpenBook = !ADOQuery1.isOpen() || inputs.workbookPath == m_openWorkbookPath;
    inputs.saveFolder = m_view.LabeledEdit2().text();
    inputs.sheetOpen = ADOQuery1.isOpen();
    inputs.codeColumnSelected = m_view.CodeComboBox().selectedIndex().has_value();
    inputs.quoteDate = m_view.DateMaskEdit().text();
    inputs.mappingCount = m_view.ListBox1().count();
    if (const auto message =
            convert::firstFailedCheck(inputs, context.settings, context.currentYear(), context.codePage)) {
        m_shared.dialogs.info(*message);
        return;
    }
    // The run lets window events through; it walks a copy taken now, so its
    // files hold the rows as the preview showed them at the click, whatever
    // happens to the query meanwhile.
    convert::RowSnapshot rows(ADOQuery1, context.codePage);
    m_shared.runs.run([&] {
        ConvertRunHost host(m_view, m_shared.window, DataSource1);
        convert::runConversion({inputs.saveFolder, inputs.quoteDate, context.codePage}, rows, host);
    });
}

void ExcelPage::Browse2ButtonClick()
{
    const std::string start = common::folderPart(m_view.LabeledEdit1().text(), m_shared.context.codePage);
    const std::optional<std::string> chosen = m_shared.dialogs.selectDirectory(start);
    if (!chosen)
        return;
    if (chosen->empty())
        throw common::Error(kUnableToCreateDirectory);
    // A folder that cannot be made is not reported here; the run reports it
    // when it tries to enter it.
    if (!common::folderExists(*chosen))
        common::makeFolderWithParents(*chosen);
    m_view.LabeledEdit2().setText(*chosen);
}

} // namespace pages
