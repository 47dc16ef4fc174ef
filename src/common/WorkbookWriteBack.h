// Writing posted rows into a workbook file on disk, whatever its format.
// Nothing is ever lost: the file is refused while it is read-only or open
// in another program (LibreOffice's lock file lies beside it); the new bytes
// are made from the file's bytes as they are now, go to a temporary file
// beside it, are read back and checked, and only then renamed over it
// (FileReplace.h). Each format's writer supplies the new bytes and the check.
#pragma once

#include "common/CodePage.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace common {

// Every failure of a write-back: the path, then one of the reasons below
// or a format's own.
constexpr const char* kCannotWriteWorkbook = "Cannot write the posted row into the workbook \"%s\": %s";

constexpr const char* kWriteReasonReadOnly = "the file is read-only";
constexpr const char* kWriteReasonInUse = "the file is open in another program";
constexpr const char* kWriteReasonUnwritable = "the file cannot be written (%s)";
constexpr const char* kWriteReasonNoTemporary = "no file can be created beside it (%s)";
constexpr const char* kWriteReasonCheckFailed = "the written copy does not read back as posted (%s)";

struct WorkbookRewrite {
    // The new file made from the current one. Throws common::Error with the
    // reason when the file cannot take the change.
    std::function<std::string(std::string_view original)> make;
    // Nothing when `written` (the new file as read back from the disk) holds
    // what it should; otherwise what differs first. May throw common::Error.
    std::function<std::optional<std::string>(std::string_view original, std::string_view written)> check;
};

// Replaces the workbook at `path` with what `rewrite` makes of it. Throws
// common::Error kCannotWriteWorkbook with the reason (the file is then as
// it was, and no temporary file is left behind).
void rewriteWorkbookFile(const std::string& path, const CodePage& codePage, const WorkbookRewrite& rewrite);

} // namespace common
