// A field of a table: its name and the type its data cells give it.
#pragma once

#include <string>

namespace table {

enum class FieldType {
    Float, // every data cell a number (or empty)
    Text,
    DateTime,
    Boolean,
};

struct Field {
    std::string name; // system code page
    FieldType type = FieldType::Text;
};

} // namespace table
