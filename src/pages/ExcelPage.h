// The page "Excel转txt" without its controls: the workbook connection, the
// sheet query and its data link, the sheet and field lists, the mapping list
// operations, the checks before a conversion and the run. Its view shows and
// forwards; each handler runs through the window's guard and ends with a
// common::Error when something fails.
#pragma once

#include "pages/AppContext.h"
#include "pages/DataSource.h"
#include "pages/Dialogs.h"
#include "pages/SharedPageState.h"
#include "workbook/Connection.h"
#include "workbook/Query.h"

#include <cstddef>
#include <string>
#include <vector>

namespace pages {

class ExcelPageView;
class MappingDialogView;

class ExcelPage {
  public:
    // Every preview column gets this width when a sheet opens, in pixels.
    static constexpr int kPreviewColumnWidth = 100;

    // The view and the shared state must outlive the page.
    ExcelPage(ExcelPageView& view, SharedPageState shared);
    ExcelPage(const ExcelPage&) = delete;
    ExcelPage& operator=(const ExcelPage&) = delete;

    // The mapping dialog, created after the main window (start-up order);
    // nullptr while there is none.
    void setColnameForm(MappingDialogView* dialog) { m_colnameForm = dialog; }

    // --- Non-visual objects ---
    workbook::Connection ADOConnection1;
    workbook::Query ADOQuery1;
    DataSource DataSource1; // the preview's data link

    // The workbook path with which the open connection was opened; empty
    // while none is open.
    const std::string& openWorkbookPath() const { return m_openWorkbookPath; }
    // SaveDialog1 keeps the options it was laid out with.
    const FileDialogOptions& saveDialog1Options() const { return m_saveDialog1Options; }

    // --- Sheet preview (ExcelPagePreview.cpp) ---
    void Browse1ButtonClick();
    // Enter in "Excel文件：" opens the typed path as the browse button opens
    // a chosen file; nothing while a run goes, as the button is blocked then.
    void LabeledEdit1ReturnPressed();
    void TableNameComboBoxChange();
    // A click on the title of a preview column (counted from 0).
    void DBGrid1TitleClick(std::size_t column);

    // --- Conversion (ExcelPageConvert.cpp) ---
    void Button2Click();
    void Browse2ButtonClick();

    // --- Mapping list (ExcelPageMappings.cpp) ---
    void InRelaButtonClick();
    void OutRelaButtonClick();
    void AddlineButtonClick();
    void DelLineButtonClick();

  private:
    // Opens the workbook that LabeledEdit1 names and lists its sheets; what
    // was shown of the previous workbook goes first, even when this fails.
    void openWorkbook();
    void fillFieldNameLists(const std::vector<std::string>& names);

    ExcelPageView& m_view;
    SharedPageState m_shared;
    MappingDialogView* m_colnameForm = nullptr;
    FileDialogOptions m_saveDialog1Options;
    std::string m_openWorkbookPath;
};

} // namespace pages
