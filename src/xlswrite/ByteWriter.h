// Little-endian field writing, the counterpart of common/LittleEndian.h: values go out
// byte by byte, least significant first, whatever the host's byte order.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>

namespace xlswrite {

inline void putU16(std::string& bytes, std::size_t offset, std::uint16_t value)
{
    bytes[offset] = static_cast<char>(value & 0xFF);
    bytes[offset + 1] = static_cast<char>(value >> 8);
}

inline void putU32(std::string& bytes, std::size_t offset, std::uint32_t value)
{
    putU16(bytes, offset, static_cast<std::uint16_t>(value & 0xFFFF));
    putU16(bytes, offset + 2, static_cast<std::uint16_t>(value >> 16));
}

inline void appendU16(std::string& bytes, std::uint16_t value)
{
    bytes.push_back(static_cast<char>(value & 0xFF));
    bytes.push_back(static_cast<char>(value >> 8));
}

inline void appendU32(std::string& bytes, std::uint32_t value)
{
    appendU16(bytes, static_cast<std::uint16_t>(value & 0xFFFF));
    appendU16(bytes, static_cast<std::uint16_t>(value >> 16));
}

inline void appendDouble(std::string& bytes, double value)
{
    const auto bits = std::bit_cast<std::uint64_t>(value);
    appendU32(bytes, static_cast<std::uint32_t>(bits));
    appendU32(bytes, static_cast<std::uint32_t>(bits >> 32));
}

// A BIFF record: type, length, data.
inline void appendRecord(std::string& bytes, std::uint16_t type, std::string_view data)
{
    appendU16(bytes, type);
    appendU16(bytes, static_cast<std::uint16_t>(data.size()));
    bytes.append(data);
}

} // namespace xlswrite
