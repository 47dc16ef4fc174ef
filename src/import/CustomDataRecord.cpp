#include "import/CustomDataRecord.h"

#include "common/LittleEndian.h"

#include <bit>
#include <cmath>
#include <string_view>

namespace importer {
namespace {

// Rounds halves to even whatever the floating-point environment's mode is;
// std::nearbyint would follow a mode that someone else may have changed.
double roundHalfEven(double x)
{
    double down = std::floor(x);
    double diff = x - down;
    if (diff < 0.5)
        return down;
    if (diff > 0.5)
        return down + 1.0;
    return std::fmod(down, 2.0) == 0.0 ? down : down + 1.0;
}

} // namespace

std::optional<std::int32_t> recordTime(common::DateTime dateTime)
{
    double seconds = roundHalfEven((dateTime - common::kUnixEpochDay) * static_cast<double>(kSecondsPerDay));
    // Both bounds are powers of two, exact as doubles; testing the double
    // also keeps a value that no 64-bit count holds from being converted.
    if (!(seconds >= static_cast<double>(kFirstRecordSeconds) &&
          seconds < static_cast<double>(kRecordSecondsEnd)))
        return std::nullopt;
    auto count = static_cast<std::int64_t>(seconds);
    return std::bit_cast<std::int32_t>(static_cast<std::uint32_t>(count));
}

std::int64_t recordSeconds(std::int32_t time, TimeReading reading)
{
    return reading == TimeReading::Signed ? std::int64_t{time}
                                          : std::int64_t{static_cast<std::uint32_t>(time)};
}

RecordBytes encodeRecord(const CustomDataRecord& record)
{
    RecordBytes bytes{};
    common::putU32(bytes, kTimeOffset, std::bit_cast<std::uint32_t>(record.time));
    common::putU32(bytes, kValueOffset, std::bit_cast<std::uint32_t>(record.value));
    return bytes;
}

CustomDataRecord decodeRecord(const unsigned char* bytes)
{
    const std::string_view view(reinterpret_cast<const char*>(bytes), kRecordSize);
    CustomDataRecord record;
    record.time = std::bit_cast<std::int32_t>(common::readU32(view, kTimeOffset));
    record.value = std::bit_cast<float>(common::readU32(view, kValueOffset));
    return record;
}

} // namespace importer
