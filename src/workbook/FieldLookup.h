// Field-by-name, the one lookup behind the conversion's code and value
// columns, the sort text and the command line: a field named exactly as asked
// (byte for byte) wins; only when there is none, the first field whose name
// is equal without regard to case. On a sheet with both Close and close each
// name finds its own column, and a mapping made with another spelling of a
// name still finds it.
#pragma once

#include "common/CodePage.h"
#include "workbook/Query.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace workbook {

// The index of the field that `name` names, or nothing.
std::optional<std::size_t> findField(const std::vector<table::Field>& fields, std::string_view name,
                                     const common::CodePage& codePage);

// As findField, but a name that no field has throws the data layer's error
// "<query name>: Field '<name>' not found".
std::size_t fieldByName(const std::vector<table::Field>& fields, std::string_view name,
                        const common::CodePage& codePage, const std::string& queryName);

} // namespace workbook
