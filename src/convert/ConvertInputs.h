// The page's inputs to a conversion, read from its controls at the click, and
// the checks made on them before a run.
#pragma once

#include "common/CodePage.h"
#include "common/RegionalSettings.h"

#include <cstddef>
#include <optional>
#include <string>

namespace convert {

// Texts in the system code page.
struct ConvertInputs {
    std::string workbookPath; // only tested to be non-empty
    // The path is the workbook that the open sheet comes from. The window
    // keeps the text it opened; a text typed since names another workbook.
    bool workbookPathIsOpenBook = true;
    std::string saveFolder;          // only tested to be non-empty
    bool sheetOpen = false;          // the sheet query is open
    bool codeColumnSelected = false; // an item of the code-column list is chosen
    std::string quoteDate;           // the date field's text, e.g. "2024/01/05"
    std::size_t mappingCount = 0;    // lines in the mapping list
};

// The message (system code page) of the first check that fails, in this
// order: workbook path, the path naming the open sheet's workbook, save
// folder, sheet, code column, quote date (a date with optional time by
// common::parseDateTime), mapping lines; nothing when all pass.
std::optional<std::string> firstFailedCheck(const ConvertInputs& inputs,
                                            const common::RegionalSettings& settings, int currentYear,
                                            const common::CodePage& codePage);

} // namespace convert
