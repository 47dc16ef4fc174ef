// The recursive folder scan behind "添加目录" and `tarnvale-cli import --scan`.
#pragma once

#include "common/CodePage.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace importer {

// Appends to `paths` the path of every file whose extension, ASCII-upper-cased,
// is ".TXT", in `folder` and every folder below it, depth first, each
// folder's entries by name with ASCII letters compared without regard to case
// (as NTFS lists them; a subfolder's files come before the later entries of
// its folder). Paths are folder + separator + name, one separator even when
// `folder` already ends with one. A folder that cannot be read adds nothing
// and reports nothing. A folder reached again through a link is not walked a
// second time, so a link loop cannot recurse without end.
void collectTxtFiles(const std::string& folder, std::vector<std::string>& paths,
                     const common::CodePage& codePage);

// The same walk for the files whose extension, ASCII-upper-cased, is one of
// `extensions` (given upper-cased, with the dot).
void collectFilesWithExtensions(const std::string& folder, std::initializer_list<std::string_view> extensions,
                                std::vector<std::string>& paths, const common::CodePage& codePage);

} // namespace importer
