// The 8-bit code page that all of the system's text is held in, and its
// double-byte (lead/trail byte) rules.
#pragma once

#include <string>
#include <string_view>

namespace common {

class CodePage {
  public:
    // Windows code page numbers: 936 (GBK), 1252, 65001 (UTF-8), ...
    explicit CodePage(int number = 1252);

    // The code page of the user's locale (the codeset of LC_CTYPE).
    static CodePage fromLocale();
    // The code page for a codeset name as nl_langinfo(CODESET) gives it
    // ("GBK", "GB2312", "GB18030", "UTF-8", "ISO-8859-1", "ANSI_X3.4-1968", ...).
    static CodePage fromCodesetName(std::string_view codeset);

    int number() const { return m_number; }
    // True for the double-byte code pages (936, 932, 949, 950).
    bool isDoubleByte() const;
    // A lead byte of a double-byte character (GBK: 0x81 to 0xFE); always
    // false when the code page is not a double-byte one.
    bool isLeadByte(unsigned char byte) const;
    // The name iconv knows the code page by ("GBK", "UTF-8", "CP1252", ...).
    std::string iconvName() const;

  private:
    int m_number;
};

// True when the byte at `index` of `text` is the trail byte of a double-byte
// character: the run of lead-byte values directly before it has odd length.
bool isTrailByte(std::string_view text, std::size_t index, const CodePage& codePage);

} // namespace common
