// The number parse on any bytes: never a crash, never a non-finite value, and
// the only error it may raise is the overflow one. An accepted text must also
// read as a C number (extended precision, then single) with the same value.
#include "common/Error.h"
#include "common/NumberParse.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    common::RegionalSettings settings;
    settings.decimalSeparator = (data[0] & 1) ? ',' : '.';
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
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
