// The shared-string table (SST) of a BIFF8 workbook, as a writer changes it:
// strings are only ever appended, so the records of the strings already
// there keep their bytes (rich-text runs and phonetic data included), and
// every LABELSST keeps its index. EXTSST, the table's index, is rebuilt.
#pragma once

#include "xls/BiffRecords.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace xlswrite {

class SharedStringsWriter {
  public:
    // `sst` is the SST record of `stream`, with its CONTINUEs. Throws
    // common::Error when its strings run past their records.
    SharedStringsWriter(std::string_view stream, const xls::Record& sst);

    // The index of the string with that text, appended when there is none.
    std::uint32_t indexOf(std::u16string_view text);
    // Cells that refer to the table, as its header counts them.
    void addReferences(std::int64_t delta)
    {
        m_total = static_cast<std::uint32_t>(static_cast<std::int64_t>(m_total) + delta);
    }
    std::size_t stringCount() const { return m_starts.size(); }

    // The SST record and its CONTINUEs.
    std::string records() const;
    // An EXTSST record for the records placed at stream offset `sstOffset`:
    // every `stringsPerBucket`-th string's stream offset and its offset
    // inside the record that holds its start.
    std::string extSst(std::size_t sstOffset, std::uint16_t stringsPerBucket) const;

  private:
    struct Start {
        std::size_t piece;
        std::size_t offset; // in the piece's data
    };
    void append(std::u16string_view text);

    std::vector<std::string> m_pieces; // the SST's data, then each CONTINUE's
    std::vector<Start> m_starts;       // where each string begins
    std::unordered_map<std::u16string, std::uint32_t> m_index;
    std::uint32_t m_total = 0;
};

// The number of strings per EXTSST bucket: the original's, unless that
// would need more buckets than the format allows.
std::uint16_t stringsPerBucket(std::optional<std::uint16_t> original, std::size_t stringCount);

} // namespace xlswrite
