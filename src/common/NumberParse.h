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

} // namespace common
