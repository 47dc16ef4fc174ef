// Little-endian fields in raw bytes, the byte order of every binary format
// the system reads and writes (.xls records, custom-data records). Values
// are assembled and laid out byte by byte, least significant first, so that
// nothing depends on the host's byte order or alignment. Callers check
// lengths first.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

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

// Writes over bytes already there: `Bytes` is any indexable run of
// byte-sized values (std::string, std::array<unsigned char, N>).
template <typename Bytes> inline void putU16(Bytes& bytes, std::size_t offset, std::uint16_t value)
{
    using Byte = std::remove_reference_t<decltype(bytes[0])>;
    bytes[offset] = static_cast<Byte>(value & 0xFF);
    bytes[offset + 1] = static_cast<Byte>(value >> 8);
}

template <typename Bytes> inline void putU32(Bytes& bytes, std::size_t offset, std::uint32_t value)
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

} // namespace common
