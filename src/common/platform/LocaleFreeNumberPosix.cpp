// strtold in the C locale through strtold_l, so that no setlocale elsewhere
// in the process can change what "." means.
#include "common/LocaleFreeNumber.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <locale.h>

namespace common {

namespace {

locale_t cLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

} // namespace

std::optional<long double> readLongDoubleC(const std::string& text)
{
    errno = 0;
    const long double value = strtold_l(text.c_str(), nullptr, cLocale());
    if (errno == ERANGE && std::isinf(value))
        return std::nullopt;
    return value;
}

} // namespace common
