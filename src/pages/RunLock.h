// One run at a time. A conversion or an import lets the window's events
// through between records; meanwhile the controls whose use would restart,
// reshape or stall the run take no input, and each gets back exactly the
// enabled state it had, also when an error ends the run. The focus that
// switching them off moved elsewhere comes back too.
#pragma once

#include "pages/WindowView.h"

#include <array>
#include <functional>

namespace pages {

// Not the lists, the path edits, the grid or the tabs: they can neither
// start a run nor change what one reads, and the user may look around.
inline constexpr std::array<Control, 18> kBlockedDuringRun = {
    Control::Button2,
    Control::Button3,
    Control::InRelaButton,
    Control::OutRelaButton,
    Control::AddlineButton,
    Control::DelLineButton,
    Control::Browse1Button,
    Control::Browse2Button,
    Control::TableNameComboBox,
    Control::CodeComboBox,
    Control::DateMaskEdit,
    Control::BrowDzhDirButton,
    Control::AddDirButton,
    Control::AddTxtButton,
    Control::DelFileListButton,
    Control::Button4,
    Control::Dzh2InstallDirEdit,
    Control::RadioGroup1,
};

class RunLock {
  public:
    // The view must outlive the lock.
    explicit RunLock(WindowView& view) : m_view(view) {}

    bool inProgress() const { return m_depth > 0; }

    // Runs `body` as a run and returns true; a request while a run goes (an
    // event queued before the controls went off) runs nothing and returns
    // false. Exceptions from `body` pass through, after the restore.
    bool run(const std::function<void()>& body);

  private:
    WindowView& m_view;
    int m_depth = 0;
};

} // namespace pages
