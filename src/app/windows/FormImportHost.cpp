#include "app/windows/FormImportHost.h"

#include "app/Dialogs.h"
#include "app/TextBridge.h"
#include "app/windows/AutoSizeLabel.h"
#include "app/windows/RadioGroup.h"
#include "app/windows/TForm1.h"
#include "common/Error.h"
#include "import/ImportTexts.h"

#include <QCoreApplication>
#include <QListWidget>

namespace app {

namespace {

constexpr qint64 kRepaintIntervalMs = 16; // about one screen refresh
// A full pass polls the window system (about 1.3 us here, as much as the
// engine spends on a line of a back-fill); once a millisecond is far below
// what a user can notice and keeps the run at the engine's pace.
constexpr qint64 kFullPassIntervalNs = 1'000'000;
// Lines between two looks at the clock: 16 lines take well under the interval.
constexpr unsigned kLinesPerClockCheck = 16;
} // namespace

FormImportHost::FormImportHost(TForm1& form) : m_form(form)
{
    m_sinceRepaint.start();
}

FormImportHost::~FormImportHost()
{
    // Also after an error: the label must show its last text.
    m_form.Label3->setUpdatesEnabled(true);
}

std::size_t FormImportHost::entryCount()
{
    return static_cast<std::size_t>(m_form.TxtListBox->count());
}

std::string FormImportHost::entry(std::size_t position)
{
    // The list may have shrunk while events were processed during the run.
    if (position >= static_cast<std::size_t>(m_form.TxtListBox->count()))
        throw common::Error(importer::listIndexOutOfBounds(position));
    return toBytes(m_form.TxtListBox->item(static_cast<int>(position))->text());
}

importer::ImportTarget FormImportHost::target()
{
    return m_form.RadioGroup1->itemIndex() == 0 ? importer::ImportTarget::DaZhiHui
                                                : importer::ImportTarget::FeiHu;
}

void FormImportHost::beforeLine()
{
    // The clock is read every few lines only: reading it costs a good part
    // of a line.
    if (m_sinceFullPass.isValid() && ++m_linesSinceClock % kLinesPerClockCheck != 0)
        return;
    if (m_repaintPending && m_sinceRepaint.elapsed() >= kRepaintIntervalMs) {
        m_form.Label3->setUpdatesEnabled(true); // schedules the repaint
        m_repaintPending = false;
        m_sinceRepaint.restart();
    }
    // Events are handled before the first line and then about once a
    // millisecond: far below what a user can notice, and no control that
    // could change what the run reads takes input meanwhile.
    if (m_sinceFullPass.isValid() && m_sinceFullPass.nsecsElapsed() < kFullPassIntervalNs)
        return;
    QCoreApplication::processEvents();
    m_sinceFullPass.start();
}

void FormImportHost::progress(const std::string& text)
{
    AutoSizeLabel* label = m_form.Label3;
    if (m_sinceRepaint.elapsed() < kRepaintIntervalMs || m_repaintPending) {
        label->setUpdatesEnabled(false);
        m_repaintPending = true;
    }
    label->setCaption(fromBytes(text));
}

void FormImportHost::message(const std::string& text)
{
    m_form.dialogs().info(fromBytes(text));
}

const common::RegionalSettings& FormImportHost::settings()
{
    return m_form.context().settings;
}

} // namespace app
