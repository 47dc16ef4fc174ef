// The C library's number reading, whatever the process's locale.
#pragma once

#include <optional>
#include <string>

namespace common {

// The value of a decimal text in the C locale's form ("-0123.45e-6"),
// correctly rounded to long double, with "." as the decimal point whatever
// LC_NUMERIC says; nothing when it is beyond long double's range.
std::optional<long double> readLongDoubleC(const std::string& text);

} // namespace common
