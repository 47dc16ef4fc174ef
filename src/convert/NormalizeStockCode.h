// The stock-code rule: the digits of a code cell, with "SH" before Shanghai
// codes (first digit 6) and "SZ" before Shenzhen codes (first digits 00).
#pragma once

#include <string>
#include <string_view>

namespace convert {

// Keeps the ASCII digits of `cellText` in order and prefixes them as above;
// any other code comes back as its bare digits (possibly empty). Bytes of
// double-byte characters are never ASCII digits, so no code page is needed.
std::string NormalizeStockCode(std::string_view cellText);

// True when a normalised code begins with "SH" or "SZ": only such rows are
// written.
bool hasMarketPrefix(std::string_view code);

} // namespace convert
