// Line list files: every line followed by CR LF, the last one included.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace common {

// A save that could not write every byte, and a load whose read failed.
inline constexpr const char* kStreamWriteError = "Stream write error";
inline constexpr const char* kStreamReadError = "Stream read error";

// Writes every line followed by CR LF. The file is replaced through a
// temporary beside it (common/FileReplace.h), so a failed write never leaves
// a truncated file. Throws "Cannot create file "%s". %s" (the path completed
// against the current folder, then the system's text for the error) or
// kStreamWriteError; the old file is then untouched. Saving through a
// symbolic link writes the file it points to and keeps the link. Only where
// the folder takes no new file (no write access to it) is a writable target
// overwritten in place, once the space for the new bytes is reserved.
void saveLineList(const std::string& path, const std::vector<std::string>& lines);

// Reads the whole file and splits it at CR LF, a lone CR or a lone LF; a NUL
// byte ends the text. Throws "Cannot open file "%s". %s" (a folder too), or
// kStreamReadError.
std::vector<std::string> loadLineList(const std::string& path);

// The splitting rule of loadLineList, on bytes already read.
std::vector<std::string> splitLineList(std::string_view bytes);

} // namespace common
