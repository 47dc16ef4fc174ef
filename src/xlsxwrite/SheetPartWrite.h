// Storing cells into a worksheet part: the cells posted are written anew,
// cells added to their rows (or a row added in its place), the dimension
// grown to hold them; every other byte of the part stays as it was.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace xlsxwrite {

// One cell as it is to be stored.
struct StoredCell {
    enum class Kind { Empty, Number, Date, SharedString, InlineString, Boolean };
    std::uint32_t row = 0; // 0-based
    std::uint32_t column = 0;
    Kind kind = Kind::Empty;
    double number = 0.0;      // Number; Date: the workbook's own serial
    std::uint32_t string = 0; // SharedString: index in the shared strings
    std::string text;         // InlineString: UTF-8
    bool boolean = false;
};

struct SheetFormats {
    // Per cellXfs index: 1 for a date format (xlsx/Styles.h).
    const std::vector<char>& dateStyles;
    // The workbook keeps a calculation chain (calcChain.xml): a formula
    // replaced by a value would leave it naming a cell without one, which
    // Excel reports as damage.
    bool formulasListed = false;
};

struct SheetPartRewrite {
    std::string xml;
    std::int64_t sharedStringRefs = 0; // t="s" cells added minus those replaced
};

// `xml` is the worksheet part; `sheetName` (system code page) names the
// sheet in messages. A cell keeps its format when it suits the new value;
// a new cell takes the format of the nearest cell above it in its column
// when that suits, else the default one (for a date: the first date
// format). Throws common::Error with the reason for a cell this writer
// may not change: part of an array or data-table formula, the first cell
// of a shared formula, a formula the calculation chain lists; or a date
// where the workbook has no date format.
SheetPartRewrite rewriteSheetPart(std::string_view xml, const std::vector<StoredCell>& cells,
                                  const SheetFormats& formats, const std::string& sheetName);

} // namespace xlsxwrite
