// The 8-bit code page that all of the system's text is held in, and its
// double-byte (lead/trail byte) rules.
#pragma once

#include <bitset>
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
    bool isDoubleByte() const { return m_leadBytes.any(); }
    // A lead byte of a double-byte character (GBK: 0x81 to 0xFE); always
    // false when the code page is not a double-byte one.
    bool isLeadByte(unsigned char byte) const { return m_leadBytes[byte]; }
    // The name iconv knows the code page by ("GBK", "UTF-8", "CP1252", ...).
    std::string iconvName() const;

  private:
    int m_number;
    std::bitset<256> m_leadBytes;
};

using LeadBytes = std::bitset<256>;

// The lead bytes of a code page as the system gives them (platform
// implementation); for a code page the system does not know, or on a system
// that keeps no such ranges, knownLeadBytes.
LeadBytes systemLeadBytes(int number);
// The lead bytes of the double-byte code pages 932, 936, 949, 950 and of
// GB18030 (54936, whose four-byte characters pair up under the same rule, so
// that no byte of it is ever taken for a delimiter); none for the others.
LeadBytes knownLeadBytes(int number);

// True when the byte at `index` of `text` is the trail byte of a double-byte
// character: the run of lead-byte values directly before it has odd length.
bool isTrailByte(std::string_view text, std::size_t index, const CodePage& codePage);

} // namespace common
