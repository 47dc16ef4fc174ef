// Line list files: every line followed by CR LF, the last one included.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace common {

// Writes every line followed by CR LF. The file is written beside the target
// and renamed over it, so a failed write never leaves a truncated file.
// Throws "Cannot create file "%s". %s" or "Stream write error".
void saveLineList(const std::string& path, const std::vector<std::string>& lines);

// Reads the whole file and splits it at CR LF, a lone CR or a lone LF; a NUL
// byte ends the text. Throws "Cannot open file "%s". %s".
std::vector<std::string> loadLineList(const std::string& path);

// The splitting rule of loadLineList, on bytes already read.
std::vector<std::string> splitLineList(std::string_view bytes);

} // namespace common
