#include "pages/MainWindow.h"

namespace pages {

MainWindow::MainWindow(ExcelPageView& excelView, ImportPageView& importView, WindowView& window,
                       Dialogs& dialogs, AppContext context)
    : m_dialogs(dialogs), m_context(std::move(context)), m_runs(window),
      m_excelPage(excelView, {dialogs, m_context, window, m_runs, m_openDialog1Options}),
      m_importPage(importView, {dialogs, m_context, window, m_runs, m_openDialog1Options})
{
}

} // namespace pages
