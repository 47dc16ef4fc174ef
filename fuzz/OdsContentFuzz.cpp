// The .ods reader fed any bytes as content.xml, in a small package with
// the spreadsheet's media type; every cell text of the tables it gives is
// taken. It must give tables or throw common::Error, never crash, hang or
// run out of memory, whichever way the document binds its prefixes (read
// as written, or again with namespace processing).
#include "common/Error.h"
#include "ods/Workbook.h"
#include "zip/ZipWriter.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    zip::Writer writer;
    zip::Entry mimetype;
    mimetype.name = "mimetype";
    writer.add(mimetype, "application/vnd.oasis.opendocument.spreadsheet");
    zip::Entry content;
    content.name = "content.xml";
    writer.add(content, std::string(reinterpret_cast<const char*>(data), size));
    const std::string package = writer.finish();
    const common::CodePage codePage(936);
    const common::RegionalSettings settings;
    try {
        const auto book = ods::Workbook::read(package, codePage, settings);
        // A sheet may span 1048576 x 16384 cells however few hold values;
        // reading a bounded number of them per input keeps the runs fast.
        constexpr std::size_t kCellsToRead = 200000;
        std::size_t total = 0;
        std::size_t read = 0;
        for (const ods::Sheet& sheet : book->sheets()) {
            const table::Table& table = *sheet.table;
            for (std::size_t row = 0; row < table.rowCount() && read < kCellsToRead; ++row)
                for (std::size_t field = 0; field < table.fieldCount() && read < kCellsToRead;
                     ++field, ++read)
                    total += table.cellText(row, field, settings).size();
        }
        if (total == static_cast<std::size_t>(-1))
            __builtin_trap(); // keeps the reads from being optimised away
    } catch (const common::Error&) {
    }
    return 0;
}
