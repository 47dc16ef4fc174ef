// The import run's view of the page "自定义数据引入": entries from TxtListBox by
// position, the target from RadioGroup1 per line, progress in Label3, and the
// window's events let through between lines, about once a millisecond.
#pragma once

#include "import/ImportRun.h"

#include <QElapsedTimer>

namespace app {

class TForm1;

class FormImportHost : public importer::ImportHost {
  public:
    explicit FormImportHost(TForm1& form);
    ~FormImportHost() override;

    std::size_t entryCount() override;
    std::string entry(std::size_t position) override;
    importer::ImportTarget target() override;
    void beforeLine() override;
    void progress(const std::string& text) override;
    void message(const std::string& text) override;
    const common::RegionalSettings& settings() override;

  private:
    TForm1& m_form;
    // Label3's text is set at once, but it is repainted at most at screen rate:
    // painting it for every short file would cost more than the import itself.
    QElapsedTimer m_sinceRepaint;
    bool m_repaintPending = false;
    // Since the last full pass of the event loop (input from the window system and timers).
    QElapsedTimer m_sinceFullPass;
    unsigned m_linesSinceClock = 0;
};

} // namespace app
