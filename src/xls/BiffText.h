// Text in the workbook stream: BIFF8 keeps UTF-16 (or its Latin-1 compressed
// form), BIFF5 keeps 8-bit text in the workbook's CODEPAGE. Both end up in the
// system code page.
#pragma once

#include "common/CodePage.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace xls {

class TextDecoder {
  public:
    explicit TextDecoder(common::CodePage target);

    // The code page number of a CODEPAGE record (BIFF5 text); 1252 until set.
    void setSourceCodePage(unsigned codePageRecordValue);
    int sourceCodePage() const { return m_source.number(); }
    const common::CodePage& target() const { return m_target; }

    std::string fromUtf16(std::u16string_view text) const;
    std::string fromBytes(std::string_view text) const;
    // BIFF5 8-bit text as UTF-16 (to read format codes character by character).
    std::u16string bytesToUtf16(std::string_view text) const;

  private:
    common::CodePage m_target;
    common::CodePage m_source;
    bool m_targetIsAscii; // ASCII text needs no conversion into the target
};

// Reads a string at `pos` of a record's data and moves `pos` past it; throws
// common::Error naming `what` when the data ends first. `countSize` is the
// size of the character count in front (1 or 2 bytes).
// BIFF8: count, a flags byte (bit 0: 16-bit characters; bit 3: rich-text runs;
// bit 2: phonetic block), then the characters; runs and phonetic data are skipped.
std::string readUnicodeString(std::string_view data, std::size_t& pos, std::size_t countSize,
                              const TextDecoder& decoder, const char* what);
std::u16string readUnicodeCharacters(std::string_view data, std::size_t& pos, std::size_t countSize,
                                     const char* what);
// BIFF5: count, then that many bytes in the workbook's code page.
std::string readByteString(std::string_view data, std::size_t& pos, std::size_t countSize,
                           const TextDecoder& decoder, const char* what);

} // namespace xls
