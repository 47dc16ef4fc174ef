// The conversion's own user-visible texts, as UTF-8 literals. They enter core
// data through common::utf8ToCodePage, so callers and tests compare against
// the converted form.
#pragma once

namespace convert {

// The checks before a run, in the order they are made.
constexpr const char* kNoWorkbookPath = "没有指定Excel文件路径？";
// The path typed since the open sheet's workbook was opened names another one.
constexpr const char* kWorkbookNotOpen = "指定的Excel文件没有打开？";
constexpr const char* kNoSaveFolder = "没有指定txt文件路径？";
constexpr const char* kNoSheet = "没有指定表？";
constexpr const char* kNoCodeColumn = "没有指定证券代码列？";
constexpr const char* kBadQuoteDate = "指定行情日期不正确？";
constexpr const char* kNoMappings = "没有设置列对应关系？";

// Progress: kProgressPrefix + column + kProgressSuffix + line count.
constexpr const char* kProgressPrefix = "正在转换<";
constexpr const char* kProgressSuffix = ">:";

} // namespace convert
