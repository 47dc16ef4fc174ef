#include "pages/RunLock.h"

namespace pages {

namespace {

// The controls switched off for a scope, and the focus, given back at its end.
class BlockedControls {
  public:
    explicit BlockedControls(WindowView& view) : m_view(view)
    {
        m_focusBefore = view.focus();
        for (std::size_t index = 0; index < kBlockedDuringRun.size(); ++index) {
            m_wasEnabled[index] = view.isEnabled(kBlockedDuringRun[index]);
            view.setEnabled(kBlockedDuringRun[index], false);
        }
        m_focusAfter = view.focus();
    }

    ~BlockedControls()
    {
        for (std::size_t index = kBlockedDuringRun.size(); index-- > 0;)
            m_view.setEnabled(kBlockedDuringRun[index], m_wasEnabled[index]);
        // Switching off the focused control passed the focus on; it comes
        // back unless the user has put it somewhere else since.
        if (m_focusBefore && m_focusBefore != m_focusAfter && m_view.focus() == m_focusAfter)
            m_view.restoreFocus(m_focusBefore);
    }

    BlockedControls(const BlockedControls&) = delete;
    BlockedControls& operator=(const BlockedControls&) = delete;

  private:
    WindowView& m_view;
    std::array<bool, kBlockedDuringRun.size()> m_wasEnabled{};
    WindowView::FocusHandle m_focusBefore = nullptr;
    WindowView::FocusHandle m_focusAfter = nullptr;
};

} // namespace

bool RunLock::run(const std::function<void()>& body)
{
    if (m_depth > 0)
        return false;
    const BlockedControls blocked(m_view);
    struct Running {
        explicit Running(int& depth) : depth(depth) { ++depth; }
        ~Running() { --depth; }
        int& depth;
    } running(m_depth);
    body();
    return true;
}

} // namespace pages
