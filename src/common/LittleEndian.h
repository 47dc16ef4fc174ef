// Little-endian field access on raw bytes. Callers check lengths first; these
// functions only assemble the bytes, least significant first, so that the
// result never depends on the host's byte order or alignment.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace common {

inline std::uint8_t byteAt(std::string_view bytes, std::size_t offset)
{
    return static_cast<std::uint8_t>(bytes[offset]);
}

inline std::uint16_t readU16(std::string_view bytes, std::size_t offset)
{
    return static_cast<std::uint16_t>(byteAt(bytes, offset) | (byteAt(bytes, offset + 1) << 8));
}

inline std::uint32_t readU32(std::string_view bytes, std::size_t offset)
{
    return static_cast<std::uint32_t>(readU16(bytes, offset)) |
           (static_cast<std::uint32_t>(readU16(bytes, offset + 2)) << 16);
}

inline std::uint64_t readU64(std::string_view bytes, std::size_t offset)
{
    return static_cast<std::uint64_t>(readU32(bytes, offset)) |
           (static_cast<std::uint64_t>(readU32(bytes, offset + 4)) << 32);
}

inline double readDouble(std::string_view bytes, std::size_t offset)
{
    return std::bit_cast<double>(readU64(bytes, offset));
}

} // namespace common
