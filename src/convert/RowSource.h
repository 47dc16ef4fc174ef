// The rows a conversion walks: the operations it needs of the open sheet
// query, so that the run can be driven by the real query or by a test's table.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace convert {

class RowSource {
  public:
    virtual ~RowSource() = default;

    virtual bool isOpen() const = 0;
    // To the first row; eof() is true at once when there are no rows.
    virtual void first() = 0;
    virtual bool eof() const = 0;
    virtual void next() = 0;
    // Field-by-name: the field named exactly `name`, else the first one equal
    // ignoring case. Throws common::Error "<query name>: Field '<name>' not found".
    virtual std::size_t fieldIndex(std::string_view name) const = 0;
    // The cell text of a field in the current row (system code page).
    virtual std::string cellText(std::size_t field) const = 0;
};

} // namespace convert
