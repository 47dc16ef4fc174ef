#include "common/DateTimeParse.h"

#include <cmath>

namespace common {

namespace {

enum class DateOrder { MonthDayYear, DayMonthYear, YearMonthDay };

struct Number {
    int value = 0;
    int digits = 0; // leading zeros included
};

// A cursor over the text with the two reading steps every part is made of.
class Scanner {
  public:
    explicit Scanner(std::string_view text) : m_text(text) {}

    std::size_t position() const { return m_pos; }
    void setPosition(std::size_t pos) { m_pos = pos; }
    bool atEnd() const { return m_pos >= m_text.size(); }

    void skipSpaces()
    {
        while (m_pos < m_text.size() && m_text[m_pos] == ' ')
            ++m_pos;
    }

    // Digits for as long as the value so far is below 1000, so at most four
    // significant digits; no digit at all is a failure.
    bool readNumber(Number& number)
    {
        skipSpaces();
        // Locals, so that the loop keeps them in registers.
        const std::size_t size = m_text.size();
        std::size_t pos = m_pos;
        int value = 0;
        while (pos < size && value < 1000) {
            const unsigned digit = static_cast<unsigned char>(m_text[pos]) - static_cast<unsigned>('0');
            if (digit > 9)
                break;
            value = value * 10 + static_cast<int>(digit);
            ++pos;
        }
        number = Number{value, static_cast<int>(pos - m_pos)};
        m_pos = pos;
        return number.digits > 0;
    }

    // Skips spaces and takes `separator` if it comes next; leaves the cursor
    // where it was otherwise.
    bool readSeparator(char separator)
    {
        const std::size_t start = m_pos;
        skipSpaces();
        if (m_pos < m_text.size() && m_text[m_pos] == separator) {
            ++m_pos;
            return true;
        }
        m_pos = start;
        return false;
    }

    // Skips spaces and takes `word` if it comes next, ignoring ASCII case.
    bool readWord(std::string_view word)
    {
        const std::size_t start = m_pos;
        skipSpaces();
        if (!word.empty() && m_text.size() - m_pos >= word.size()) {
            bool same = true;
            for (std::size_t i = 0; i < word.size() && same; ++i)
                same = foldAscii(m_text[m_pos + i]) == foldAscii(word[i]);
            if (same) {
                m_pos += word.size();
                return true;
            }
        }
        m_pos = start;
        return false;
    }

  private:
    static char foldAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

    std::string_view m_text;
    std::size_t m_pos = 0;
};

DateOrder dateOrder(const std::string& shortDateFormat)
{
    for (char c : shortDateFormat) {
        switch (c) {
        case 'y':
        case 'Y':
        case 'e':
        case 'E':
            return DateOrder::YearMonthDay;
        case 'm':
        case 'M':
            return DateOrder::MonthDayYear;
        case 'd':
        case 'D':
            return DateOrder::DayMonthYear;
        default:
            break;
        }
    }
    return DateOrder::MonthDayYear;
}

// A year written with one or two digits goes into the 100 years that begin
// `window` years before the current year.
int placeShortYear(const Number& year, int currentYear, int window)
{
    if (year.digits > 2)
        return year.value;
    const int base = currentYear - window;
    const int century = base >= 0 ? base / 100 : -((-base + 99) / 100);
    int placed = year.value + 100 * century;
    if (placed < base)
        placed += 100;
    return placed;
}

// 0 = none, -1 = morning, 1 = afternoon.
int readMarker(Scanner& scanner, const RegionalSettings& settings)
{
    if (scanner.readWord(settings.amMarker) || scanner.readWord("AM"))
        return -1;
    if (scanner.readWord(settings.pmMarker) || scanner.readWord("PM"))
        return 1;
    return 0;
}

bool dayNumberOf(int year, int month, int day, long& value)
{
    static constexpr int kMonthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1)
        return false;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const int monthDays = kMonthDays[month - 1] + (month == 2 && leap ? 1 : 0);
    if (day > monthDays)
        return false;
    // Days from 0001-01-01 (proleptic Gregorian), then shifted to 1899-12-30.
    static constexpr int kDaysBefore[] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    const long y = year - 1;
    long days = y * 365 + y / 4 - y / 100 + y / 400;
    days += kDaysBefore[month - 1] + (month > 2 && leap ? 1 : 0) + (day - 1);
    constexpr long kDaysTo18991230 = 693593; // 0001-01-01 .. 1899-12-30
    value = days - kDaysTo18991230;
    return true;
}

// The parts below hand their results on by reference and say by a bool
// whether there is one: a std::optional built and copied through the stack
// here made the loads stall on the stores of its parts.
bool readTimePart(Scanner& scanner, const RegionalSettings& settings, double& time)
{
    int marker = readMarker(scanner, settings);
    const bool markerFirst = marker != 0;
    if (markerFirst)
        scanner.skipSpaces();
    Number hours, minutes, seconds, millis;
    if (!scanner.readNumber(hours))
        return false;
    if (scanner.readSeparator(settings.timeSeparator)) {
        if (!scanner.readNumber(minutes))
            return false;
        if (scanner.readSeparator(settings.timeSeparator)) {
            if (!scanner.readNumber(seconds))
                return false;
            if (scanner.readSeparator(settings.decimalSeparator) && !scanner.readNumber(millis))
                return false;
        }
    }
    if (!markerFirst)
        marker = readMarker(scanner, settings);
    int hour = hours.value;
    if (marker != 0) {
        if (hour < 1 || hour > 12)
            return false;
        hour = (hour == 12 ? 0 : hour) + (marker > 0 ? 12 : 0);
    }
    scanner.skipSpaces();
    if (hour > 23 || minutes.value > 59 || seconds.value > 59 || millis.value > 999)
        return false;
    const double ms = hour * 3600000.0 + minutes.value * 60000.0 + seconds.value * 1000.0 + millis.value;
    time = ms / 86400000.0;
    return true;
}

bool readDate(Scanner& scanner, const RegionalSettings& settings, int currentYear, long& dayValue)
{
    Number first, second, third;
    if (!scanner.readNumber(first) || !scanner.readSeparator(settings.dateSeparator) ||
        !scanner.readNumber(second))
        return false;
    const DateOrder order = dateOrder(settings.shortDateFormat);
    int year = currentYear, month = 0, day = 0;
    if (scanner.readSeparator(settings.dateSeparator)) {
        if (!scanner.readNumber(third))
            return false;
        Number yearNumber;
        switch (order) {
        case DateOrder::YearMonthDay:
            yearNumber = first, month = second.value, day = third.value;
            break;
        case DateOrder::MonthDayYear:
            month = first.value, day = second.value, yearNumber = third;
            break;
        case DateOrder::DayMonthYear:
            day = first.value, month = second.value, yearNumber = third;
            break;
        }
        year = placeShortYear(yearNumber, currentYear, settings.twoDigitYearWindow);
    } else if (order == DateOrder::DayMonthYear) {
        day = first.value, month = second.value;
    } else {
        month = first.value, day = second.value;
    }
    scanner.readSeparator(settings.dateSeparator);
    scanner.skipSpaces();
    return dayNumberOf(year, month, day, dayValue);
}

bool parseDateAndTime(std::string_view text, const RegionalSettings& settings, int currentYear,
                      DateTime& value)
{
    Scanner scanner(text);
    long day = 0;
    if (!readDate(scanner, settings, currentYear, day))
        return false;
    if (scanner.atEnd()) {
        value = static_cast<double>(day);
        return true;
    }
    double time = 0;
    if (!readTimePart(scanner, settings, time))
        return false;
    value = day < 0 ? day - time : day + time;
    return true;
}

} // namespace

std::optional<long> dayNumber(int year, int month, int day)
{
    long value = 0;
    if (!dayNumberOf(year, month, day, value))
        return std::nullopt;
    return value;
}

std::optional<DateTime> parseDateTime(std::string_view text, const RegionalSettings& settings,
                                      int currentYear)
{
    DateTime value = 0;
    if (parseDateAndTime(text, settings, currentYear, value))
        return value;
    Scanner scanner(text);
    double time = 0;
    if (!readTimePart(scanner, settings, time) || !scanner.atEnd())
        return std::nullopt;
    return time;
}

} // namespace common
