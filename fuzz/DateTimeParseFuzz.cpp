// The date parse on any bytes, under settings picked by the first byte: it
// must never crash, and a date it accepts must be a real date-time value.
#include "common/DateTimeParse.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

common::RegionalSettings settingsFor(std::uint8_t choice)
{
    static const char kDateSeparators[] = {'/', '-', '.', ' '};
    static const char* const kFormats[] = {"yyyy/m/d", "m/d/yy", "d/m/yyyy", ""};
    common::RegionalSettings settings;
    settings.dateSeparator = kDateSeparators[choice & 3];
    settings.shortDateFormat = kFormats[(choice >> 2) & 3];
    settings.timeSeparator = (choice & 16) ? '.' : ':';
    settings.decimalSeparator = (choice & 32) ? ',' : '.';
    if (choice & 64) {
        settings.amMarker = "\xC9\xCF\xCE\xE7";
        settings.pmMarker = "\xCF\xC2\xCE\xE7";
    }
    if (choice & 128)
        settings.amMarker.clear();
    return settings;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const common::RegionalSettings settings = settingsFor(data[0]);
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::optional<common::DateTime> value = common::parseDateTime(text, settings, 2026);
    if (value) {
        // Day 1 of year 1 to the last moment of 9999-12-31.
        if (!std::isfinite(*value) || *value < -693594.0 || *value >= 2958466.0)
            std::abort();
        // A value without a date part is a time of day.
        if (*value < 0 && *value > -1.0)
            std::abort();
    }
    return 0;
}
