// The text of a .csv file: bytes in the system code page, unless a UTF-8
// byte-order mark opens the file, which then is UTF-8 throughout (the mark
// itself belongs to no field).
#pragma once

#include "common/CodePage.h"

#include <string>
#include <string_view>

namespace csv {

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

struct FileText {
    bool utf8 = false;     // a byte-order mark opened the file
    std::string_view body; // the bytes after it
};

FileText fileTextOf(std::string_view bytes);

// The body in `codePage`: converted from UTF-8 into `converted` when the
// mark says so (characters the code page lacks become "?"), else the bytes
// as they are. The delimiters stay where they were: both encodings keep
// ASCII as it is.
std::string_view textInCodePage(const FileText& text, const common::CodePage& codePage,
                                std::string& converted);

} // namespace csv
