#include "csv/CsvText.h"

#include "common/Encoding.h"

namespace csv {

FileText fileTextOf(std::string_view bytes)
{
    if (bytes.starts_with(kUtf8ByteOrderMark))
        return {true, bytes.substr(kUtf8ByteOrderMark.size())};
    return {false, bytes};
}

std::string_view textInCodePage(const FileText& text, const common::CodePage& codePage,
                                std::string& converted)
{
    if (!text.utf8 || codePage.number() == 65001)
        return text.body;
    converted = common::utf8ToCodePage(text.body, codePage);
    return converted;
}

} // namespace csv
