// The records of a .csv file's text (RFC 4180): fields separated by commas,
// records by line breaks (CR LF, LF, or a lone CR). A field in double quotes
// may hold commas, line breaks and doubled quotes ("" for one ").
//
// Lenient where the common readers are (Excel, LibreOffice, Python's csv): a
// quote inside an unquoted field is an ordinary character, and text after a
// closing quote belongs to the field ("ab"c reads abc). A quoted field still
// open at the end of the text is an error, though, not the rest of the file:
// taking it so would silently turn every later line into one cell, and the
// rows would be lost to the conversion without a word.
//
// Works on bytes in any of the system's code pages: the delimiters are
// ASCII, no double-byte code page (932, 936, 949, 950) has a trail byte
// below 0x40, and UTF-8 never uses ASCII bytes inside a character.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace csv {

// A record may hold as many fields as the widest sheet has columns: more
// would make a grid and a table no user could work with.
constexpr std::size_t kMaxFields = 16384;

enum class LineBreak { CrLf, Lf, Cr };

class RecordReader {
  public:
    explicit RecordReader(std::string_view text) : m_text(text) {}

    // Moves to the next record; false when the text has no more. A text
    // that ends with a line break has no empty record after it. Throws
    // common::Error (CsvMessages.h) for a quoted field without its closing
    // quote and for a record of more than kMaxFields fields.
    bool next();

    // The current record's fields, unquoted; valid until next().
    std::size_t fieldCount() const { return m_ends.size(); }
    std::string_view field(std::size_t index) const;

    // Where the current record lies in the text: its fields from begin() to
    // fieldsEnd(), then its line break up to end() (none for a last line
    // without one).
    std::size_t begin() const { return m_begin; }
    std::size_t fieldsEnd() const { return m_fieldsEnd; }
    std::size_t end() const { return m_pos; }

  private:
    void readQuoted();

    std::string_view m_text;
    std::size_t m_pos = 0;
    std::size_t m_begin = 0;
    std::size_t m_fieldsEnd = 0;
    std::string m_buffer;            // the current record's fields, one after another
    std::vector<std::size_t> m_ends; // where each field ends in m_buffer
};

// The line break of the first record that ends with one; CR LF (what
// Windows programs write) when none does.
LineBreak lineBreakOf(std::string_view text);
std::string_view textOf(LineBreak lineBreak);

// The line (from 1) that the byte at `position` lies on, as an editor counts
// lines: CR LF, LF and a lone CR each end one.
std::size_t lineAt(std::string_view text, std::size_t position);

} // namespace csv
