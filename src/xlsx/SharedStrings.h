// The shared strings of a workbook (the part that t="s" cells index): each
// item's plain text, rich-text runs joined, phonetic guides left out.
#pragma once

#include "common/CodePage.h"
#include "zip/ZipArchive.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace xlsx {

// Receives each item's stored text (UTF-8, "_xHHHH_" escapes kept) and
// whether it was written as rich-text runs, in order.
using SharedStringVisitor = std::function<void(std::string_view stored, bool rich)>;

// Throws common::Error when the part is damaged.
void readSharedStrings(const zip::Archive& archive, const std::string& part,
                       const SharedStringVisitor& visit);

// Every item's text in the system code page; empty without a part.
std::vector<std::string> readSharedStrings(const zip::Archive& archive, const std::string& part,
                                           const common::CodePage& codePage);

} // namespace xlsx
