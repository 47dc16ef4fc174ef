// The main window Form1 without its controls: both pages and what they
// share. A view (the Qt window, the Win32 window) lays out the controls,
// implements the view interfaces over them, forwards every event to the
// handler of the same name through pages::guarded, and binds its grid and
// navigator to excelPage().DataSource1.
#pragma once

#include "pages/AppContext.h"
#include "pages/Dialogs.h"
#include "pages/ExcelPage.h"
#include "pages/ImportPage.h"
#include "pages/RunLock.h"

namespace pages {

class ExcelPageView;
class ImportPageView;
class WindowView;

class MainWindow {
  public:
    // The views and the dialogs must outlive the window.
    MainWindow(ExcelPageView& excelView, ImportPageView& importView, WindowView& window, Dialogs& dialogs,
               AppContext context);
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    Dialogs& dialogs() const { return m_dialogs; }
    const AppContext& context() const { return m_context; }
    ExcelPage& excelPage() { return m_excelPage; }
    ImportPage& importPage() { return m_importPage; }

    // The options of the shared file-open dialog OpenDialog1. Every user
    // hands them to the dialogs; AddTxtButtonClick leaves them at none().
    FileDialogOptions& openDialog1Options() { return m_openDialog1Options; }
    // True while a conversion or an import runs.
    bool runInProgress() const { return m_runs.inProgress(); }

  private:
    Dialogs& m_dialogs;
    AppContext m_context;
    RunLock m_runs;
    FileDialogOptions m_openDialog1Options;
    ExcelPage m_excelPage;
    ImportPage m_importPage;
};

} // namespace pages
