#include "pages/ImportRunHost.h"

#include "common/Error.h"
#include "import/ImportTexts.h"
#include "pages/Dialogs.h"
#include "pages/ImportPageView.h"
#include "pages/WindowView.h"

namespace pages {

ImportRunHost::ImportRunHost(ImportPageView& page, WindowView& window, Dialogs& dialogs,
                             const common::RegionalSettings& settings, Clock clock)
    : m_page(page), m_window(window), m_dialogs(dialogs), m_settings(settings), m_clock(std::move(clock)),
      m_cadence(m_clock, kImportEventInterval, kImportLinesPerLook), m_paint(kImportPaintInterval, m_clock())
{
}

ImportRunHost::~ImportRunHost()
{
    try {
        m_page.Label3().holdPainting(false);
    } catch (...) {
    }
}

std::size_t ImportRunHost::entryCount()
{
    return m_page.TxtListBox().count();
}

std::string ImportRunHost::entry(std::size_t position)
{
    ListControl& list = m_page.TxtListBox();
    // The list may have shrunk while events were handled during the run.
    if (position >= list.count())
        throw common::Error(importer::listIndexOutOfBounds(position));
    return list.item(position);
}

importer::ImportTarget ImportRunHost::target()
{
    return m_page.RadioGroup1().itemIndex() == 0 ? importer::ImportTarget::DaZhiHui
                                                 : importer::ImportTarget::FeiHu;
}

void ImportRunHost::beforeLine()
{
    const std::optional<std::int64_t> now = m_cadence.look();
    if (!now)
        return;
    if (m_paint.releaseDue(*now))
        m_page.Label3().holdPainting(false); // the label repaints with its last caption
    if (m_cadence.dueAt(*now))
        m_window.processEvents();
}

void ImportRunHost::progress(const std::string& text)
{
    CaptionControl& label = m_page.Label3();
    if (m_paint.holdFor(m_clock()))
        label.holdPainting(true);
    label.setCaption(text);
}

void ImportRunHost::message(const std::string& text)
{
    m_dialogs.info(text);
}

const common::RegionalSettings& ImportRunHost::settings()
{
    return m_settings;
}

} // namespace pages
