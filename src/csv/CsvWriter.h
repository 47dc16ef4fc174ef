// Writing posted cells into a .csv file on disk. The file is made anew from
// its bytes as they are now: records that no posted cell touches are copied
// as they are (their bytes, quoting and line break unchanged); a touched
// record is written again, each field quoted when it needs to be (a comma,
// a quote, a line break, or a space at either end), and new records follow
// the last, with the file's own line break (CR LF for a file without one).
// The file keeps its encoding: a file opened by a UTF-8 byte-order mark
// keeps the mark and gets the posted texts in UTF-8, any other gets them in
// the system code page. The new file goes through the one write-back path
// of every format (common/WorkbookWriteBack.h): a temporary beside it, read
// back and checked, then renamed over it.
#pragma once

#include "common/CodePage.h"
#include "table/CellWrite.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace csv {

// The bytes of the .csv file `original` with `cells` stored (row: the
// record, from 0; column: the field, from 0). Throws common::Error with the
// reason when the file cannot take them.
std::string rewriteCsv(std::string_view original, const std::vector<table::CellWrite>& cells,
                       const common::CodePage& codePage);

// Nothing when the file `written` holds every field of `original` with
// `cells` stored; otherwise the first cell that differs ("cell B7 of
// worksheet 1"). Throws common::Error when `written` cannot be read.
std::optional<std::string> differenceAfterWrite(std::string_view original, std::string_view written,
                                                const std::vector<table::CellWrite>& cells,
                                                const common::CodePage& codePage);

// Stores `cells` into the .csv file at `path`. Throws common::Error
// common::kCannotWriteWorkbook with the reason; the file is then unchanged.
void writeCellsToFile(const std::string& path, const std::vector<table::CellWrite>& cells,
                      const common::CodePage& codePage);

} // namespace csv
