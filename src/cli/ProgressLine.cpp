#include "cli/ProgressLine.h"

#include <ostream>

namespace cli {

ProgressLine::ProgressLine(CliContext& context)
    : m_context(context), m_enabled(context.errIsTerminal), m_start(m_enabled ? context.clock() : 0),
      m_now(m_start)
{
}

bool ProgressLine::due()
{
    if (!m_enabled)
        return false;
    m_now = m_context.clock();
    if (m_drawnOnce && m_now - m_lastDrawn < kInterval)
        return false;
    m_lastDrawn = m_now;
    m_drawnOnce = true;
    return true;
}

void ProgressLine::draw(const std::string& text)
{
    if (!m_enabled)
        return;
    // Carriage return and blanks over what is left of a longer line: no
    // terminal escapes, which not every console knows.
    std::string line = '\r' + text;
    if (text.size() < m_width)
        line.append(m_width - text.size(), ' ');
    m_context.err << line << std::flush;
    m_width = text.size();
}

void ProgressLine::clear()
{
    if (m_width == 0)
        return;
    m_context.err << '\r' << std::string(m_width, ' ') << '\r' << std::flush;
    m_width = 0;
}

std::string ProgressLine::rate(std::size_t count, const char* what) const
{
    const double seconds = static_cast<double>(m_now - m_start) / 1e9;
    const auto perSecond = seconds > 0 ? static_cast<std::size_t>(static_cast<double>(count) / seconds) : 0;
    return std::to_string(perSecond) + ' ' + what + "/s";
}

} // namespace cli
