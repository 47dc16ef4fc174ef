// Telling date cells from number cells: a number is a date (or a time) when
// its cell format shows it as one.
#pragma once

#include <cstdint>
#include <string_view>

namespace table {

// True for the built-in format numbers that show dates or times: 14-22 and
// 45-47 everywhere, 27-36 and 50-58 in the East Asian versions.
bool isBuiltInDateFormat(std::uint16_t formatIndex);

// True when a format code shows a date or time: outside quoted text, escaped
// characters and [colour]/[$-locale] brackets, the first section holds one of
// the letters y, m, d, h, s (any case), or an elapsed-time bracket like [h].
bool isDateFormatCode(std::u16string_view code);

} // namespace table
