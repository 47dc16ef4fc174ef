// The text of a single-precision value for people and for programs that read
// it back.
#pragma once

#include <string>

namespace common {

// The fewest significant digits that read back as exactly `value`, written
// out in fixed notation or with an exponent, whichever is shorter (fixed on
// a tie): 0.1, 12.5, -27891493000, 1e+38, 1e-45. Where two texts of those
// digits are equally near the value, the one with the even last digit
// (1048576.25 gives 1048576.2). Negative zero is "-0"; infinities and NaNs
// are "inf", "-inf", "nan", "-nan". Never depends on the C locale.
std::string shortestFloatText(float value);

} // namespace common
