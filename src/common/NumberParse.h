// The number parse: decimal text to a single-precision value.
#pragma once

#include "common/RegionalSettings.h"

#include <optional>
#include <string_view>

namespace common {

inline constexpr const char* kFloatingPointOverflow = "Floating point overflow";

// The value, or nothing when the text is not a number. A number that fits
// extended precision but not single precision throws Error("Floating point
// overflow").
std::optional<float> parseNumber(std::string_view text, const RegionalSettings& settings);

namespace detail {

// The value of an accepted text in extended precision, before the overflow
// check and the rounding to single; nothing when the text is not a number or
// overflows even extended precision. Three ways that must agree wherever the
// quick one gives a value:
//   numberValue        the one parseNumber uses (quick when it can be);
//   quickNumberValue   the integer-and-power-of-ten evaluation alone, nothing
//                      for a text beyond its exact bounds (more than 19
//                      significant digits, a folded exponent beyond 27);
//   libraryNumberValue the C library's correctly rounded strtold.
std::optional<long double> numberValue(std::string_view text, char decimalSeparator);
std::optional<long double> quickNumberValue(std::string_view text, char decimalSeparator);
std::optional<long double> libraryNumberValue(std::string_view text, char decimalSeparator);

} // namespace detail

} // namespace common
