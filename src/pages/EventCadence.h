// How often a run lets the window work: pure rules over a clock, so that any
// view gets the same pace and tests can drive them with a clock of their own.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

namespace pages {

// Nanoseconds of a steady clock; only differences count.
using Clock = std::function<std::int64_t()>;
// The process's steady clock.
std::int64_t steadyNanoseconds();

inline constexpr std::int64_t kMillisecond = 1'000'000;

// When the window's pending events are handled during a run: before the
// first record, then once `interval` has passed since they were last
// handled. Reading the clock costs about as much as a record, so it is read
// only every `recordsPerLook` records.
class EventCadence {
  public:
    EventCadence(Clock clock, std::int64_t interval, unsigned recordsPerLook);

    // Called before every record: the clock's time when this record is one
    // at which the clock is read, nothing otherwise.
    std::optional<std::int64_t> look();
    // Whether the events are due at `now`, a time look() gave; they then
    // count as handled.
    bool dueAt(std::int64_t now);
    // Both in one: true when the events are due before this record.
    bool due();

  private:
    Clock m_clock;
    std::int64_t m_interval;
    unsigned m_recordsPerLook;
    unsigned m_records = 0;
    std::optional<std::int64_t> m_lastHandled;
};

// How often a progress caption is painted: at most once per interval. A
// caption set sooner is taken at once, but its painting is held until the
// interval is over.
class PaintThrottle {
  public:
    PaintThrottle(std::int64_t interval, std::int64_t now);

    // A new caption at `now`: true when its painting is to be held.
    bool holdFor(std::int64_t now);
    // A look at the clock between records: true when the held painting is
    // to be released now.
    bool releaseDue(std::int64_t now);
    bool holding() const { return m_holding; }

  private:
    std::int64_t m_interval;
    std::int64_t m_lastPaint;
    bool m_holding = false;
};

} // namespace pages
