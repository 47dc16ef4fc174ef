#include "pages/ConvertRunHost.h"

#include "pages/DataSource.h"
#include "pages/ExcelPageView.h"
#include "pages/WindowView.h"

namespace pages {

ConvertRunHost::ConvertRunHost(ExcelPageView& page, WindowView& window, DataSource& link, Clock clock)
    : m_page(page), m_window(window), m_link(link),
      m_cadence(std::move(clock), kConvertEventInterval, kConvertRowsPerLook)
{
}

ConvertRunHost::~ConvertRunHost()
{
    try {
        showProgress();
    } catch (...) {
        // A label that cannot take its text (out of memory) must not end the program.
    }
}

std::size_t ConvertRunHost::mappingCount()
{
    return m_page.ListBox1().count();
}

std::string ConvertRunHost::mappingLine(std::size_t index)
{
    return m_page.ListBox1().item(index);
}

std::string ConvertRunHost::codeColumn()
{
    return m_page.CodeComboBox().text();
}

void ConvertRunHost::beforeRow()
{
    if (!m_cadence.due())
        return;
    showProgress();
    m_window.processEvents();
}

void ConvertRunHost::progress(const std::string& text)
{
    m_progress = text;
    m_progressShown = false;
}

void ConvertRunHost::setDataSourceEnabled(bool on)
{
    m_link.setEnabled(on);
}

void ConvertRunHost::showProgress()
{
    if (m_progressShown || m_progress.empty())
        return;
    m_page.ProgressLabel().setCaption(m_progress);
    m_progressShown = true;
}

} // namespace pages
