// The texts a common file dialog takes and gives: the layouts' filters
// ("label|pattern|...") as the NUL-separated list GetOpenFileNameA wants, and
// the names it returns with multiple selection (the folder, then each file
// name, NUL-separated) as full paths.
#pragma once

#include "common/CodePage.h"

#include <string>
#include <vector>

namespace win32 {

// "a|b|c|d" -> "a\0b\0c\0d\0\0" (the terminating pair included in the result).
std::string dialogFilter(const std::string& filter);

// The chosen files from the dialog's buffer: one full path, or a folder
// followed by file names, each ended by NUL, the list by a second NUL.
std::vector<std::string> chosenFiles(const char* buffer, std::size_t size, const common::CodePage& codePage);

} // namespace win32
