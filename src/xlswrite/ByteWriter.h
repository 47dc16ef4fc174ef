// Writing a BIFF record: its type, its length and its data, little-endian
// (the fields inside the data go through common/LittleEndian.h).
#pragma once

#include "common/LittleEndian.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace xlswrite {

inline void appendRecord(std::string& bytes, std::uint16_t type, std::string_view data)
{
    common::appendU16(bytes, type);
    common::appendU16(bytes, static_cast<std::uint16_t>(data.size()));
    bytes.append(data);
}

} // namespace xlswrite
