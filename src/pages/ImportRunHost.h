// The import run's view of the page "自定义数据引入": entries from TxtListBox
// by position, the target from RadioGroup1, progress in Label3, messages in
// the message box, and the window's events let through between lines about
// once a millisecond.
#pragma once

#include "common/RegionalSettings.h"
#include "import/ImportRun.h"
#include "pages/EventCadence.h"

namespace pages {

class Dialogs;
class ImportPageView;
class WindowView;

// Label3's caption is set at once, but painted at most at screen rate:
// painting it for every short file would cost more than the import itself.
inline constexpr std::int64_t kImportPaintInterval = 16 * kMillisecond;
// A full pass of the event loop polls the window system (about 1.3 us here,
// as much as the engine spends on a line of a back-fill); once a millisecond
// is far below what a user can notice and keeps the run at the engine's pace.
inline constexpr std::int64_t kImportEventInterval = kMillisecond;
// Lines between two looks at the clock: 16 lines take well under the interval.
inline constexpr unsigned kImportLinesPerLook = 16;

class ImportRunHost : public importer::ImportHost {
  public:
    // `settings` must outlive the host.
    ImportRunHost(ImportPageView& page, WindowView& window, Dialogs& dialogs,
                  const common::RegionalSettings& settings, Clock clock = steadyNanoseconds);
    // Also after an error: the label shows its last caption.
    ~ImportRunHost() override;

    std::size_t entryCount() override;
    // Throws the list's error when the list has become shorter.
    std::string entry(std::size_t position) override;
    importer::ImportTarget target() override;
    void beforeLine() override;
    void progress(const std::string& text) override;
    void message(const std::string& text) override;
    const common::RegionalSettings& settings() override;

  private:
    ImportPageView& m_page;
    WindowView& m_window;
    Dialogs& m_dialogs;
    const common::RegionalSettings& m_settings;
    Clock m_clock;
    EventCadence m_cadence;
    PaintThrottle m_paint;
};

} // namespace pages
