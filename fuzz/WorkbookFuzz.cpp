// Opening any bytes as a workbook and reading every cell text: the reader
// must either give tables or throw common::Error, never crash, hang or run
// out of memory. Seeds are small real workbooks (fuzz/corpus/WorkbookFuzz).
#include "common/Error.h"
#include "xls/Workbook.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const common::CodePage codePage(936);
    const common::RegionalSettings settings;
    try {
        const auto book = xls::Workbook::read(std::string_view(reinterpret_cast<const char*>(data), size),
                                              codePage, settings);
        // A sheet may span 65536 x 256 cells however few hold values; reading a
        // bounded number of them per input keeps the runs fast.
        constexpr std::size_t kCellsToRead = 200000;
        std::size_t total = 0;
        std::size_t read = 0;
        for (const xls::Sheet& sheet : book->sheets()) {
            const table::Table& table = *sheet.table;
            for (std::size_t row = 0; row < table.rowCount() && read < kCellsToRead; ++row)
                for (std::size_t field = 0; field < table.fieldCount(); ++field, ++read)
                    total += table.cellText(row, field, settings).size();
        }
        if (total == static_cast<std::size_t>(-1))
            __builtin_trap(); // keeps the reads from being optimised away
    } catch (const common::Error&) {
    }
    return 0;
}
