// The shared strings of a workbook as a writer sees them: a posted text
// that is already an item (plain, not rich text) takes its index; any
// other is appended. The part is then written with the new items after the
// last one and its counts updated; the items before are kept byte for byte.
#pragma once

#include "zip/ZipArchive.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace xlsxwrite {

class SharedStringsWriter {
  public:
    // Reads the items of `part` of `archive`.
    SharedStringsWriter(const zip::Archive& archive, std::string part);

    const std::string& part() const { return m_part; }
    // The index of `text` (UTF-8), appending it when no item holds it.
    std::uint32_t indexOf(const std::string& text);
    bool grew() const { return !m_added.empty(); }
    // The part `xml` with the added items; `references` is how many t="s"
    // cells the write added (minus those it replaced).
    std::string rewrite(std::string_view xml, std::int64_t references) const;

  private:
    std::string m_part;
    std::size_t m_count = 0;
    std::unordered_map<std::string, std::uint32_t> m_plain; // first plain item of each text
    std::vector<std::string> m_added;
};

} // namespace xlsxwrite
