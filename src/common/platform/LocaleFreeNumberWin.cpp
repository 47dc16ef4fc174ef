// strtold of mingw-w64's C library (gdtoa: correctly rounded to the 64-bit
// mantissa). The Windows program never selects a C library locale, so "."
// stays its decimal point.
#include "common/LocaleFreeNumber.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace common {

std::optional<long double> readLongDoubleC(const std::string& text)
{
    errno = 0;
    const long double value = std::strtold(text.c_str(), nullptr);
    if (errno == ERANGE && std::isinf(value))
        return std::nullopt;
    return value;
}

} // namespace common
