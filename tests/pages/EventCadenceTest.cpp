// The pace of a run's window work over a clock the tests set: when the
// events are let through, how seldom the clock is read, and when a held
// caption is painted.
#include "pages/EventCadence.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

using pages::EventCadence;
using pages::PaintThrottle;

namespace {

// The records (0-based) before which the events are due, over `records`
// records of `step` clock units each; `reads` counts the clock's reads.
std::vector<int> dueRecords(std::int64_t interval, unsigned perLook, std::int64_t step, int records,
                            int& reads)
{
    std::int64_t now = 0;
    reads = 0;
    EventCadence cadence(
        [&] {
            ++reads;
            return now;
        },
        interval, perLook);
    std::vector<int> due;
    for (int record = 0; record < records; ++record, now += step) {
        if (cadence.due())
            due.push_back(record);
    }
    return due;
}

} // namespace

TEST(EventCadence, EventsBeforeTheFirstRecordThenOnceAnIntervalAtLooks)
{
    struct Case {
        const char* what;
        std::int64_t step;
        std::vector<int> due;
    };
    // Interval 10, a look every 4 records, 17 records.
    const Case cases[] = {
        {"a clock that stands still: the first record only", 0, {0}},
        {"3 a record: every look is an interval on", 3, {0, 4, 8, 12, 16}},
        {"2 a record: every other look", 2, {0, 8, 16}},
        {"20 a record: still only at looks", 20, {0, 4, 8, 12, 16}},
    };
    for (const Case& c : cases) {
        int reads = 0;
        EXPECT_EQ(dueRecords(10, 4, c.step, 17, reads), c.due) << c.what;
        EXPECT_EQ(reads, 5) << c.what; // records 0, 4, 8, 12, 16
    }
}

TEST(PaintThrottle, ACaptionWithinTheIntervalIsHeldUntilItIsOver)
{
    PaintThrottle paint(16, 0);
    EXPECT_TRUE(paint.holdFor(5));  // too soon after the start
    EXPECT_TRUE(paint.holdFor(20)); // held still: one paint shows the last
    EXPECT_FALSE(paint.releaseDue(15));
    EXPECT_TRUE(paint.releaseDue(16));  // painted at 16
    EXPECT_FALSE(paint.releaseDue(40)); // nothing held
    EXPECT_TRUE(paint.holdFor(31));
    EXPECT_TRUE(paint.releaseDue(32)); // painted at 32
    EXPECT_FALSE(paint.holdFor(60));   // an interval on: painted at once,
    EXPECT_TRUE(paint.holdFor(70));    // which starts the next interval
}
