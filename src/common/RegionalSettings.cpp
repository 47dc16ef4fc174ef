#include "common/RegionalSettings.h"

#include <vector>

namespace common {

namespace {

// One piece of a POSIX date or time format: a conversion ("%Y", "%-d",
// "%Ey": its final letter) or a run of literal text.
struct FormatPiece {
    bool isConversion = false;
    char conversion = 0;
    std::string literal;
};

// Composite conversions, spelled out so that their fields and separators count.
std::string expandComposites(std::string_view format)
{
    std::string expanded;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size()) {
            const char next = format[i + 1];
            const char* replacement = next == 'D'   ? "%m/%d/%y"
                                      : next == 'F' ? "%Y-%m-%d"
                                      : next == 'T' ? "%H:%M:%S"
                                      : next == 'R' ? "%H:%M"
                                      : next == 'r' ? "%I:%M:%S %p"
                                                    : nullptr;
            if (replacement) {
                expanded += replacement;
                ++i;
                continue;
            }
            expanded += format[i];
            expanded += next;
            ++i;
            continue;
        }
        expanded += format[i];
    }
    return expanded;
}

std::vector<FormatPiece> splitFormat(std::string_view rawFormat)
{
    const std::string format = expandComposites(rawFormat);
    std::vector<FormatPiece> pieces;
    std::size_t i = 0;
    while (i < format.size()) {
        if (format[i] == '%') {
            std::size_t j = i + 1;
            while (j < format.size() && std::string_view("-_0^#").find(format[j]) != std::string_view::npos)
                ++j;
            while (j < format.size() && format[j] >= '0' && format[j] <= '9')
                ++j;
            if (j < format.size() && (format[j] == 'E' || format[j] == 'O'))
                ++j;
            if (j < format.size()) {
                if (format[j] == '%') {
                    if (pieces.empty() || pieces.back().isConversion)
                        pieces.push_back({});
                    pieces.back().literal += '%';
                } else {
                    pieces.push_back({true, format[j], {}});
                }
            }
            i = j + 1;
            continue;
        }
        if (pieces.empty() || pieces.back().isConversion)
            pieces.push_back({});
        pieces.back().literal += format[i++];
    }
    return pieces;
}

// The literal text after the first field conversion (one of `fields`), when
// another conversion follows it and it is exactly one byte other than a
// space; the default otherwise (none, a multi-byte character, longer text).
char firstSeparator(std::string_view format, std::string_view fields, char fallback)
{
    const std::vector<FormatPiece> pieces = splitFormat(format);
    std::size_t first = 0;
    while (first < pieces.size() &&
           !(pieces[first].isConversion && fields.find(pieces[first].conversion) != std::string_view::npos))
        ++first;
    if (first + 2 >= pieces.size() || pieces[first + 1].isConversion || !pieces[first + 2].isConversion)
        return fallback;
    const std::string& literal = pieces[first + 1].literal;
    return literal.size() == 1 && literal[0] != ' ' ? literal[0] : fallback;
}

// "m/d/yy"-style order of the date fields: y, yy/yyyy, m, d joined by "/",
// which stands for the date separator as in every short date format.
std::string shortDateFormatFrom(std::string_view dFmt, const std::string& fallback)
{
    std::string result;
    for (const FormatPiece& piece : splitFormat(dFmt)) {
        if (!piece.isConversion)
            continue;
        const char* field = piece.conversion == 'Y'                                ? "yyyy"
                            : piece.conversion == 'y'                              ? "yy"
                            : piece.conversion == 'm'                              ? "m"
                            : (piece.conversion == 'd' || piece.conversion == 'e') ? "d"
                                                                                   : nullptr;
        if (!field)
            continue;
        if (!result.empty())
            result += '/';
        result += field;
    }
    return result.empty() ? fallback : result;
}

char oneCharacter(std::string_view value, char fallback)
{
    return value.size() == 1 ? value[0] : fallback;
}

} // namespace

RegionalSettings regionalSettingsFromPosix(std::string_view dFmt, std::string_view tFmt,
                                           std::string_view radixChar, std::string_view amStr,
                                           std::string_view pmStr)
{
    RegionalSettings settings;
    settings.dateSeparator = firstSeparator(dFmt, "Yymde", settings.dateSeparator);
    settings.shortDateFormat = shortDateFormatFrom(dFmt, settings.shortDateFormat);
    settings.timeSeparator = firstSeparator(tFmt, "HIklMS", settings.timeSeparator);
    settings.decimalSeparator = oneCharacter(radixChar, settings.decimalSeparator);
    if (!amStr.empty())
        settings.amMarker = std::string(amStr);
    if (!pmStr.empty())
        settings.pmMarker = std::string(pmStr);
    return settings;
}

namespace {

// Calendars that count years in eras, whose short date formats need "g".
constexpr int kCalendarJapan = 3;
constexpr int kCalendarTaiwan = 4;
constexpr int kCalendarKorea = 5;

std::string withoutEraMarkers(std::string_view format)
{
    std::string result;
    for (char c : format) {
        if (c != 'g' && c != 'G')
            result += c;
    }
    return result;
}

} // namespace

RegionalSettings regionalSettingsFromWindows(const WindowsLocaleItems& items)
{
    RegionalSettings settings;
    settings.dateSeparator = oneCharacter(items.dateSeparator, settings.dateSeparator);
    std::string shortDate = items.shortDateFormat;
    const bool eraCalendar = items.calendarType == kCalendarJapan || items.calendarType == kCalendarTaiwan ||
                             items.calendarType == kCalendarKorea;
    if (items.chineseJapaneseOrKorean && !eraCalendar)
        shortDate = withoutEraMarkers(shortDate);
    if (!shortDate.empty())
        settings.shortDateFormat = shortDate;
    settings.timeSeparator = oneCharacter(items.timeSeparator, settings.timeSeparator);
    settings.decimalSeparator = oneCharacter(items.decimalSeparator, settings.decimalSeparator);
    if (!items.amDesignator.empty())
        settings.amMarker = items.amDesignator;
    if (!items.pmDesignator.empty())
        settings.pmMarker = items.pmDesignator;
    return settings;
}

} // namespace common
