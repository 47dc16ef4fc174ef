// The number parse on any bytes: never a crash, never a non-finite value, and
// the only error it may raise is the overflow one. An accepted text must also
// read as a C number (extended precision, then single) with the same value,
// and the quick evaluation must give strtold's extended-precision value bit
// for bit wherever it gives one.
#include "common/Error.h"
#include "common/NumberParse.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool sameValue(const std::optional<long double>& a, const std::optional<long double>& b)
{
    if (!a || !b)
        return !a && !b;
    return *a == *b && std::signbit(*a) == std::signbit(*b);
}

void checkQuickAgainstLibrary(const std::string& text, char separator)
{
    const std::optional<long double> library = common::detail::libraryNumberValue(text, separator);
    if (!sameValue(common::detail::numberValue(text, separator), library))
        std::abort();
    const std::optional<long double> quick = common::detail::quickNumberValue(text, separator);
    if (quick && !sameValue(quick, library))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    common::RegionalSettings settings;
    settings.decimalSeparator = (data[0] & 1) ? ',' : '.';
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    checkQuickAgainstLibrary(text, settings.decimalSeparator);
    try {
        const std::optional<float> value = common::parseNumber(text, settings);
        if (!value)
            return 0;
        if (!std::isfinite(*value))
            std::abort();
        // Cross-check with the C library on texts it reads the same way: plain
        // digits with at most one ".", no exponent, no spaces. Extended
        // precision first, as the parse does, then single.
        if (settings.decimalSeparator == '.' && !text.empty() && text.size() < 40 &&
            text.find_first_not_of("0123456789.") == std::string::npos && text.find('.') == text.rfind('.') &&
            text != ".") {
            const float expected = static_cast<float>(std::strtold(text.c_str(), nullptr));
            if (expected != *value)
                std::abort();
        }
    } catch (const common::Error& error) {
        if (std::strcmp(error.what(), common::kFloatingPointOverflow) != 0)
            std::abort();
    }
    return 0;
}
