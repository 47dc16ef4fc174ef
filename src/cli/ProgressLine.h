// One line on stderr that shows how a long job goes, redrawn at most ten
// times a second, and only when stderr is a terminal: a person watching
// sees it, scripts and pipes get nothing.
#pragma once

#include "cli/Cli.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace cli {

class ProgressLine {
  public:
    explicit ProgressLine(CliContext& context);
    ~ProgressLine() { clear(); }
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    bool enabled() const { return m_enabled; }
    // Reads the clock: true when the line is to be drawn again now (the
    // first time, then once a tenth of a second has passed).
    bool due();
    // Draws `text` over the line drawn before.
    void draw(const std::string& text);
    // Takes the line away, before other output and at the end.
    void clear();
    // "N <what>/s" since the line was made.
    std::string rate(std::size_t count, const char* what) const;

  private:
    static constexpr std::int64_t kInterval = 100'000'000; // nanoseconds
    CliContext& m_context;
    bool m_enabled;
    std::int64_t m_start;
    std::int64_t m_now;
    std::int64_t m_lastDrawn = 0;
    bool m_drawnOnce = false;
    std::size_t m_width = 0; // of the text on the line now; 0: none
};

} // namespace cli
