// The import's user-visible texts, as UTF-8 literals. They enter core data
// through common::utf8ToCodePage.
#pragma once

#include <cstddef>
#include <string>

namespace importer {

// The message box text when the custom-data folder is missing.
inline constexpr const char* kCustomDataFolderMissing = "自定义数据路径不存在";
// Progress: this prefix followed by the entry being read (ASCII colon, no blank).
inline constexpr const char* kConvertingPrefix = "正在转换:";
// Progress once the run has passed its last entry.
inline constexpr const char* kConversionDone = "转换完成";

// The list's error for a position that no longer exists: "List index out of
// bounds (%d)" with the 0-based position. Hosts over a shrinking list throw it.
std::string listIndexOutOfBounds(std::size_t position);

} // namespace importer
