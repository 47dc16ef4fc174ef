// The .ods reader fed any bytes as content.xml, in a small package with
// the spreadsheet's media type; every cell text of the tables it gives is
// taken. It must give tables or throw common::Error, never crash, hang or
// run out of memory, whichever way the document binds its prefixes (read
// as written, or again with namespace processing).
#include "ReadSomeCells.h"
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
        readSomeCells(book->sheets(), settings);
    } catch (const common::Error&) {
    }
    return 0;
}
