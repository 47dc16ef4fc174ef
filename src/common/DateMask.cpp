#include "common/DateMask.h"

#include "common/Error.h"

#include <algorithm>

namespace common {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

DateMask::DateMask(char dateSeparator) : m_separator(dateSeparator)
{
    m_digits.fill(kBlank);
    m_focusDigits = m_digits;
}

void DateMask::setDateSeparator(char separator)
{
    m_separator = separator;
}

std::string DateMask::displayText() const
{
    std::string shown(m_digits.begin(), m_digits.end());
    shown[kFirstSeparator] = m_separator;
    shown[kSecondSeparator] = m_separator;
    return shown;
}

std::string DateMask::text() const
{
    std::string read = displayText();
    for (int i = 0; i < kLength; ++i) {
        if (!isSeparatorPosition(i) && read[i] == kBlank)
            read[i] = ' ';
    }
    return read;
}

void DateMask::setText(std::string_view text)
{
    for (int i = 0; i < kLength; ++i) {
        const char c = i < static_cast<int>(text.size()) ? text[i] : ' ';
        m_digits[i] = !isSeparatorPosition(i) && isDigit(c) ? c : kBlank;
    }
    m_caret = 0;
    m_changed = false;
    m_separatorSkipped = false;
}

void DateMask::setCaret(int position)
{
    m_separatorSkipped = false;
    placeCaret(position);
}

void DateMask::placeCaret(int position)
{
    m_caret = std::clamp(position, 0, kLength);
    if (isSeparatorPosition(m_caret))
        ++m_caret;
}

void DateMask::moveCaretLeft()
{
    m_separatorSkipped = false;
    if (m_caret == 0)
        return;
    --m_caret;
    if (isSeparatorPosition(m_caret))
        --m_caret;
}

void DateMask::moveCaretRight()
{
    setCaret(m_caret + 1);
}

DateMask::KeyResult DateMask::typeChar(char c)
{
    placeCaret(m_caret);
    if (isDigit(c) && m_caret < kLength) {
        m_digits[m_caret] = c;
        m_changed = true;
        m_separatorSkipped = isSeparatorPosition(m_caret + 1);
        placeCaret(m_caret + 1);
        return KeyResult::Accepted;
    }
    if (c == m_separator && !isDigit(c)) {
        if (m_separatorSkipped) {
            m_separatorSkipped = false;
            return KeyResult::Accepted;
        }
        if (m_caret <= kFirstSeparator) {
            m_caret = kFirstSeparator + 1;
            return KeyResult::Accepted;
        }
        if (m_caret <= kSecondSeparator) {
            m_caret = kSecondSeparator + 1;
            return KeyResult::Accepted;
        }
    }
    // A refused key changes nothing, not even what the caret has just done.
    return KeyResult::Beep;
}

DateMask::KeyResult DateMask::backspace()
{
    m_separatorSkipped = false;
    int position = m_caret - 1;
    if (isSeparatorPosition(position))
        --position;
    if (position < 0)
        return KeyResult::Beep;
    m_digits[position] = kBlank;
    m_caret = position;
    m_changed = true;
    return KeyResult::Accepted;
}

DateMask::KeyResult DateMask::deleteForward()
{
    setCaret(m_caret);
    if (m_caret >= kLength)
        return KeyResult::Beep;
    m_digits[m_caret] = kBlank;
    m_changed = true;
    return KeyResult::Accepted;
}

void DateMask::clearRange(int begin, int end)
{
    begin = std::clamp(begin, 0, kLength);
    end = std::clamp(end, begin, kLength);
    for (int i = begin; i < end; ++i) {
        if (!isSeparatorPosition(i))
            m_digits[i] = kBlank;
    }
    if (end > begin)
        m_changed = true;
    m_caret = begin;
    m_separatorSkipped = false;
}

void DateMask::focusIn()
{
    m_focusDigits = m_digits;
    m_separatorSkipped = false;
}

bool DateMask::escape()
{
    if (!m_changed)
        return false;
    m_digits = m_focusDigits;
    m_changed = false;
    m_separatorSkipped = false;
    m_caret = std::min(m_caret, static_cast<int>(kLength));
    return true;
}

bool DateMask::isValid() const
{
    return isDigit(m_digits[kFirstDayPosition]) && isDigit(m_digits[kFirstDayPosition + 1]);
}

int DateMask::firstBlankDayPosition() const
{
    if (!isDigit(m_digits[kFirstDayPosition]))
        return kFirstDayPosition;
    if (!isDigit(m_digits[kFirstDayPosition + 1]))
        return kFirstDayPosition + 1;
    return kFirstDayPosition;
}

void DateMask::checkOnLeave()
{
    if (!m_changed || isValid())
        return;
    m_caret = firstBlankDayPosition();
    m_separatorSkipped = false;
    throw Error(kDateMaskInvalidInput);
}

} // namespace common
