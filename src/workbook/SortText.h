// The sort text of the query: "Name", "Name DESC", "A, [B C] ASC".
#pragma once

#include "common/CodePage.h"

#include <string>
#include <string_view>
#include <vector>

namespace workbook {

struct SortKey {
    std::string field; // as written, without brackets
    bool descending = false;
};

// The keys in order; none for an empty (or blank) text. A name is taken up
// to the first blank unless it is in brackets; after it only ASC or DESC (any
// case) may follow. Throws common::Error: kSortNameNeedsBrackets for an
// unbracketed name followed by other words, kSortBadText for anything else
// the syntax cannot take (an empty key, an unclosed bracket). Trail bytes of
// `codePage`'s double-byte characters are never taken for brackets.
std::vector<SortKey> parseSortText(std::string_view text, const common::CodePage& codePage);

} // namespace workbook
