// The texts the common dialogs take and give: the layouts' filters
// ("label|pattern|...") as the NUL-separated list GetOpenFileNameA wants, the
// names it returns with multiple selection (the folder, then each file name,
// NUL-separated) as full paths, and the path typed into the folder chooser.
#pragma once

#include "common/CodePage.h"

#include <optional>
#include <string>
#include <vector>

namespace win32 {

// "a|b|c|d" -> "a\0b\0c\0d\0\0" (the terminating pair included in the result).
std::string dialogFilter(const std::string& filter);

// The chosen files from the dialog's buffer: one full path, or a folder
// followed by file names, each ended by NUL, the list by a second NUL.
std::vector<std::string> chosenFiles(const char* buffer, std::size_t size, const common::CodePage& codePage);

// The folder that OK in the save folder's chooser stands for when `typed`
// is in its path box and `selected` is the tree's selection: nothing when
// the box shows the selection (empty, its path or its name), else the typed
// path, completed against the selection when it is relative.
std::optional<std::string> typedFolder(const std::string& typed, const std::string& selected,
                                       const common::CodePage& codePage);

} // namespace win32
