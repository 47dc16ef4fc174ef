#include "pages/EventCadence.h"

#include <chrono>

namespace pages {

std::int64_t steadyNanoseconds()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

EventCadence::EventCadence(Clock clock, std::int64_t interval, unsigned recordsPerLook)
    : m_clock(std::move(clock)), m_interval(interval),
      m_recordsPerLook(recordsPerLook == 0 ? 1 : recordsPerLook)
{
}

std::optional<std::int64_t> EventCadence::look()
{
    if (m_lastHandled && ++m_records % m_recordsPerLook != 0)
        return std::nullopt;
    return m_clock();
}

bool EventCadence::dueAt(std::int64_t now)
{
    if (m_lastHandled && now - *m_lastHandled < m_interval)
        return false;
    m_lastHandled = now;
    return true;
}

bool EventCadence::due()
{
    const std::optional<std::int64_t> now = look();
    return now && dueAt(*now);
}

PaintThrottle::PaintThrottle(std::int64_t interval, std::int64_t now) : m_interval(interval), m_lastPaint(now)
{
}

bool PaintThrottle::holdFor(std::int64_t now)
{
    if (m_holding || now - m_lastPaint < m_interval) {
        m_holding = true;
        return true;
    }
    m_lastPaint = now;
    return false;
}

bool PaintThrottle::releaseDue(std::int64_t now)
{
    if (!m_holding || now - m_lastPaint < m_interval)
        return false;
    m_holding = false;
    m_lastPaint = now;
    return true;
}

} // namespace pages
