// QuoteTxtFile, the writer side: one line per qualifying row, CODE TAB DATE
// TAB VALUE, saved as a line list (CR LF after every line, no byte-order
// mark, bytes in the system code page).
#pragma once

#include "common/CodePage.h"

#include <string>
#include <string_view>
#include <vector>

namespace convert {

constexpr std::string_view kQuoteTxtExtension = ".txt";

// CODE + TAB + date text + TAB + value.
std::string quoteLine(std::string_view code, std::string_view dateText, std::string_view value);

// Saves `lines` as customDataName + ".txt" in the current folder, replacing a
// file of that name; no lines give a file of 0 bytes. A name that holds a
// path delimiter, or is "." or "..", would put the file somewhere other than
// the current folder: it is refused with the file-create error
// "Cannot create file "%s". %s" and nothing is written. Other failures throw
// what common::saveLineList throws.
void writeQuoteTxtFile(const std::string& customDataName, const std::vector<std::string>& lines,
                       const common::CodePage& codePage);

} // namespace convert
