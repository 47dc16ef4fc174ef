// Which cell formats of a workbook show dates: the styles part's cell
// formats (cellXfs, which a cell's "s" indexes) and their number formats,
// the workbook's own (numFmts) before the built-in ones of the same id.
#pragma once

#include "zip/ZipArchive.h"

#include <string>
#include <vector>

namespace xlsx {

// Per cellXfs index: 1 when its number format shows a date or time. Empty
// when `stylesPart` is empty. Throws common::Error when the part is damaged.
std::vector<char> readDateStyles(const zip::Archive& archive, const std::string& stylesPart);

} // namespace xlsx
