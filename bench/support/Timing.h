// Timing helpers of the benchmarks: wall time of one run, the median of several.
#pragma once

#include <functional>
#include <vector>

namespace bench {

// Seconds of wall time `action` takes.
double secondsOf(const std::function<void()>& action);

// The middle value (the upper one of an even count).
double median(std::vector<double> values);

} // namespace bench
