#include "table/IsoDateTime.h"

#include <charconv>

namespace table {

namespace {

// Days from 1970-01-01 of a Gregorian date (H. Hinnant's days_from_civil).
long long daysFromCivil(long long year, unsigned month, unsigned day)
{
    year -= month <= 2;
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(year - era * 400);
    const unsigned doy = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

// Reads `count` digits at `at` into `value`.
bool digits(std::string_view text, std::size_t& at, std::size_t count, unsigned& value)
{
    if (text.size() - at < count)
        return false;
    value = 0;
    for (std::size_t i = 0; i < count; ++i, ++at) {
        if (text[at] < '0' || text[at] > '9')
            return false;
        value = value * 10 + static_cast<unsigned>(text[at] - '0');
    }
    return true;
}

} // namespace

bool parseIsoDateTime(std::string_view text, double& value)
{
    std::size_t at = 0;
    unsigned year = 0;
    unsigned month = 0;
    unsigned day = 0;
    if (!digits(text, at, 4, year) || at == text.size() || text[at++] != '-' || !digits(text, at, 2, month) ||
        at == text.size() || text[at++] != '-' || !digits(text, at, 2, day) || month < 1 || month > 12 ||
        day < 1 || day > 31)
        return false;
    double days = static_cast<double>(daysFromCivil(year, month, day) + 25569);
    if (at < text.size()) {
        unsigned hour = 0;
        unsigned minute = 0;
        unsigned second = 0;
        if (text[at++] != 'T' || !digits(text, at, 2, hour) || at == text.size() || text[at++] != ':' ||
            !digits(text, at, 2, minute) || hour > 24 || minute > 59)
            return false;
        double seconds = 0.0;
        if (at < text.size() && text[at] == ':') {
            ++at;
            if (!digits(text, at, 2, second) || second > 60)
                return false;
            seconds = second;
            if (at < text.size() && text[at] == '.') {
                const std::size_t start = at;
                ++at;
                while (at < text.size() && text[at] >= '0' && text[at] <= '9')
                    ++at;
                double fraction = 0.0;
                std::from_chars(text.data() + start, text.data() + at, fraction);
                seconds += fraction;
            }
        }
        if (at < text.size() && text[at] == 'Z')
            ++at;
        if (at != text.size())
            return false;
        days += (hour * 3600.0 + minute * 60.0 + seconds) / 86400.0;
    }
    value = days;
    return true;
}

bool parseIsoDuration(std::string_view text, double& days)
{
    std::size_t at = 0;
    const bool negative = at < text.size() && text[at] == '-';
    if (negative)
        ++at;
    if (at == text.size() || text[at++] != 'P')
        return false;
    // The units in the order they must come, with their length in days;
    // "M" means months before the "T" and minutes after it.
    static constexpr struct {
        char unit;
        bool afterT;
        double days;
    } kUnits[] = {{'Y', false, 0.0},     {'M', false, 0.0},       {'D', false, 1.0},
                  {'H', true, 1.0 / 24}, {'M', true, 1.0 / 1440}, {'S', true, 1.0 / 86400}};
    std::size_t next = 0;
    bool afterT = false;
    bool any = false;
    double total = 0.0;
    while (at < text.size()) {
        if (text[at] == 'T' && !afterT) {
            afterT = true;
            ++at;
            continue;
        }
        const std::size_t start = at;
        while (at < text.size() && ((text[at] >= '0' && text[at] <= '9') || text[at] == '.'))
            ++at;
        double number = 0.0;
        const auto result = std::from_chars(text.data() + start, text.data() + at, number);
        if (at == start || result.ptr != text.data() + at || at == text.size())
            return false;
        const char unit = text[at++];
        while (next < std::size(kUnits) && (kUnits[next].unit != unit || kUnits[next].afterT != afterT))
            ++next;
        if (next == std::size(kUnits) || (kUnits[next].days == 0.0 && number != 0.0))
            return false;
        total += number * kUnits[next++].days;
        any = true;
    }
    if (!any)
        return false;
    days = negative ? -total : total;
    return true;
}

} // namespace table
