// The rules of the masked quote-date field "!9999/99/00;1;_": ten positions,
// year (optional digits), separator, month (optional digits), separator, day
// (required digits). No toolkit here; the widget forwards keys and shows
// displayText().
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace common {

// The validation error's text (two spaces after the first full stop).
inline constexpr const char* kDateMaskInvalidInput =
    "Invalid input value.  Use escape key to abandon changes";

// Positions count from 0 here (0..9); the caret is 0..10, 10 being past the
// last position. Positions 4 and 7 are the separators.
class DateMask {
  public:
    static constexpr int kLength = 10;
    static constexpr char kBlank = '_';
    static constexpr int kFirstSeparator = 4;
    static constexpr int kSecondSeparator = 7;
    static constexpr int kFirstDayPosition = 8;

    enum class KeyResult {
        Accepted, // the key changed the field or moved the caret
        Beep,     // refused: sound the platform's beep, nothing changed
    };

    // The field starts with every digit position blank, whatever the
    // separator; the layout's stored "    /  /  " would fit the mask that way
    // under a "/" locale, and an empty field is the least surprising start
    // under the others.
    explicit DateMask(char dateSeparator = '/');

    // A regional-settings change: positions 4 and 7 show the new separator.
    void setDateSeparator(char separator);
    char dateSeparator() const { return m_separator; }

    // What the field shows: digits, kBlank for empty digit positions, the
    // separator at 4 and 7. Always ten bytes.
    std::string displayText() const;
    // The text a handler reads: as displayText() with blanks as spaces.
    std::string text() const;
    // Sets the digit positions from `text` (a digit stays, anything else is
    // blank; the separator positions are ignored; missing positions are
    // blank). Clears the changed flag; caret to 0.
    void setText(std::string_view text);

    int caret() const { return m_caret; }
    // Clamped to 0..10; a separator position moves on to the next digit.
    void setCaret(int position);
    void moveCaretLeft();
    void moveCaretRight();

    // A typed character at the caret: a digit is written over the digit
    // position (the caret skips separators) and the caret moves on; the
    // separator character jumps past the next separator; anything else, or
    // a digit with the caret past the end, is refused. A separator typed
    // right after a digit that made the caret skip a separator by itself is
    // that separator, typed as people type dates: the caret stays. So
    // "2024/01/05" and "20240105" give the same date over any content.
    KeyResult typeChar(char c);
    // Blanks the digit position before the caret and moves the caret there.
    KeyResult backspace();
    // Blanks the digit position at the caret; the caret stays.
    KeyResult deleteForward();
    // Blanks every digit position in [begin, end) (a selection); caret to begin.
    void clearRange(int begin, int end);

    // Set by the edits above, cleared by setText() and escape().
    bool isChanged() const { return m_changed; }

    // The field got the focus (a real entry, not the return after a failed
    // validation): remembers the text for escape().
    void focusIn();
    // When changed: restores the text remembered by focusIn(), clears the
    // changed flag and returns true. Otherwise false and nothing happens.
    bool escape();

    // Both day positions hold a digit (year and month may be blank).
    bool isValid() const;
    // The first blank day position (8 or 9); 8 when neither is blank.
    int firstBlankDayPosition() const;
    // The check made on leaving the field or on Enter: nothing when the text
    // is unchanged or valid; otherwise the caret goes to the first blank day
    // position and Error(kDateMaskInvalidInput) is thrown (the caller beeps
    // and puts the focus back without calling focusIn()).
    void checkOnLeave();

    static bool isSeparatorPosition(int position)
    {
        return position == kFirstSeparator || position == kSecondSeparator;
    }

  private:
    // Clamps and steps over a separator position, keeping m_separatorSkipped.
    void placeCaret(int position);

    std::array<char, kLength> m_digits; // '0'..'9', or kBlank
    std::array<char, kLength> m_focusDigits;
    char m_separator;
    int m_caret = 0;
    bool m_changed = false;
    // The last key was a digit after which the caret skipped a separator.
    bool m_separatorSkipped = false;
};

} // namespace common
