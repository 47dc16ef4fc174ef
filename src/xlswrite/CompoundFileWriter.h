// Writes a compound file anew: one stream's bytes replaced, every other
// stream, storage and directory entry (names, class ids, times, the tree)
// kept as it was. The sectors are laid out afresh, so the FAT, mini FAT,
// DIFAT and directory are rebuilt rather than patched.
#pragma once

#include "xls/CompoundFile.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace xlswrite {

// The file `original` (already read as `file`) with the stream of directory
// entry `entry` holding `replacement`. Keeps the sector size (version 3 or
// 4). Throws common::Error when another stream of the file is damaged.
std::string rewriteCompoundFile(const xls::CompoundFile& file, std::string_view original, std::size_t entry,
                                std::string_view replacement);

} // namespace xlswrite
