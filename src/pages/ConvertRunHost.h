// The conversion run's view of the page "Excel转txt": the mapping list and
// the code column (the run reads them once, at its start), the progress in
// ProgressLabel, the data link switched off for the run, and the window's
// events let through about once a screen refresh.
#pragma once

#include "convert/ConvertRun.h"
#include "pages/EventCadence.h"

#include <string>

namespace pages {

class DataSource;
class ExcelPageView;
class WindowView;

// About one screen refresh. A row takes well under a microsecond, so
// handling events (and painting the label) for every row would cost far more
// than the conversion; at this rate the window still answers at once.
inline constexpr std::int64_t kConvertEventInterval = 16 * kMillisecond;
// Rows between two looks at the clock: reading it costs about as much as a
// row, and 64 rows still take far less than the interval above.
inline constexpr unsigned kConvertRowsPerLook = 64;

class ConvertRunHost : public convert::ConvertHost {
  public:
    ConvertRunHost(ExcelPageView& page, WindowView& window, DataSource& link,
                   Clock clock = steadyNanoseconds);
    // Also after an error: the label keeps the last progress text.
    ~ConvertRunHost() override;

    std::size_t mappingCount() override;
    std::string mappingLine(std::size_t index) override;
    std::string codeColumn() override;
    void beforeRow() override;
    // Kept, and shown whenever the window's events are let through.
    void progress(const std::string& text) override;
    void setDataSourceEnabled(bool on) override;

  private:
    void showProgress();

    ExcelPageView& m_page;
    WindowView& m_window;
    DataSource& m_link;
    EventCadence m_cadence;
    std::string m_progress;
    bool m_progressShown = true;
};

} // namespace pages
