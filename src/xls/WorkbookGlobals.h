// The workbook globals substream: the sheet list, the text code page, the
// date system, the shared strings and which cell formats show dates.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace xls {

class TextDecoder;

struct SheetEntry {
    std::string name;         // system code page
    std::uint32_t offset = 0; // of the sheet's BOF record in the stream
    bool hidden = false;
    bool isWorksheet = true; // false for chart sheets, macro sheets and modules
};

struct WorkbookGlobals {
    int biffVersion = 8; // 5 (Excel 5.0/95) or 8 (Excel 97 and later)
    bool dateMode1904 = false;
    std::vector<SheetEntry> sheets; // in workbook order
    std::vector<std::string> sharedStrings;
    std::vector<char> xfIsDate; // per cell format (XF) index: 1 for a date format
};

// Reads the globals from the stream's start up to their EOF. Sets the
// decoder's source code page from CODEPAGE. Throws common::Error (encrypted,
// older than BIFF5, damaged records).
WorkbookGlobals readGlobals(std::string_view stream, TextDecoder& decoder);

// The version of a BOF record's data (5 or 8); throws for older formats.
int biffVersionOf(std::uint16_t recordType, std::string_view bofData);

} // namespace xls
