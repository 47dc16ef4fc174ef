// ColumnMapping: one line of the mapping list, "column<->custom data name".
#pragma once

#include <string>
#include <string_view>

namespace convert {

constexpr std::string_view kMappingSeparator = "<->";

struct ColumnMapping {
    std::string column;         // the sheet's field name (system code page)
    std::string customDataName; // base name of the output file, used verbatim

    // A mapping with an empty side is skipped by the run, without a trace.
    bool isComplete() const { return !column.empty() && !customDataName.empty(); }
};

// Splits at the first "<->": the column is everything before it, the custom
// data name everything after it (further "<->" included). A line without the
// separator gives an empty column. Nothing is trimmed.
ColumnMapping parseColumnMapping(std::string_view line);

// The line the mapping dialog appends: column + "<->" + name.
std::string formatColumnMapping(std::string_view column, std::string_view customDataName);

} // namespace convert
