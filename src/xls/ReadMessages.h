// The .xls reader's reasons for refusing a file (English, as the rest of the
// data layer's messages). The data layer puts them after the path in its
// "Cannot open the workbook" message. "%s" marks where details go.
#pragma once

namespace xls {

constexpr const char* kReasonEmpty = "the file is empty";
constexpr const char* kReasonNotCompound = "it is not an Excel 97-2003 workbook (no compound-file signature)";
constexpr const char* kReasonBadHeader = "its compound-file header is damaged (%s)";
constexpr const char* kReasonTruncated = "the file is truncated (%s)";
constexpr const char* kReasonChainLoop = "a sector chain of the file runs in a loop (%s)";
constexpr const char* kReasonChainRange = "a sector chain of the file points outside it (%s)";
constexpr const char* kReasonBadDirectory = "its directory is damaged (%s)";
constexpr const char* kReasonNoWorkbookStream = "it holds no workbook stream";
constexpr const char* kReasonEncrypted =
    "it is protected by a password (encrypted workbooks are not supported)";
constexpr const char* kReasonOldFormat = "it is in an Excel format older than Excel 5.0";
constexpr const char* kReasonBadRecord = "its workbook stream is damaged (%s)";

} // namespace xls
