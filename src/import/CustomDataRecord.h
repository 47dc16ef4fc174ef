// The custom-data record: the unit both analysis programs read from a record file.
//
// Record file format: a plain sequence of 8-byte records, no header, trailer,
// count or index, in the order appended. Each record, little-endian, no padding:
//   offset 0, 4 bytes: `time`  - 32-bit two's complement, seconds since
//                                1970-01-01 00:00:00 as written (no time zone);
//                                the low 32 bits of the count
//   offset 4, 4 bytes: `value` - IEEE 754 binary32
// Once this system has written to a file its length is a multiple of 8.
#pragma once

#include "common/DateTimeParse.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>

namespace importer {

constexpr std::size_t kRecordSize = 8;
constexpr std::size_t kTimeOffset = 0;
constexpr std::size_t kValueOffset = 4;
constexpr long long kSecondsPerDay = 86400;

struct CustomDataRecord {
    std::int32_t time = 0;
    float value = 0.0f;
};

// The in-memory struct happens to be as large as the record, but the bytes on
// disk are always produced by encodeRecord, never by copying the struct, so
// that the file layout does not depend on the host's byte order.
static_assert(sizeof(std::int32_t) + sizeof(float) == kRecordSize, "a record is 8 bytes");
static_assert(sizeof(CustomDataRecord) == kRecordSize, "no padding between the fields");
static_assert(sizeof(float) == 4 && std::numeric_limits<float>::is_iec559, "value is IEEE 754 binary32");

using RecordBytes = std::array<unsigned char, kRecordSize>;

// The first and the one past the last seconds count a record's time can
// carry: from 1901-12-13 20:45:52 (-2^31) up to 2106-02-07 06:28:15. Counts
// from 2^31 (2038-01-19 03:14:08) on are kept as their low 32 bits, which
// read as an unsigned number are the count, as readers of these files take them.
constexpr std::int64_t kFirstRecordSeconds = -(std::int64_t{1} << 31);
constexpr std::int64_t kRecordSecondsEnd = std::int64_t{1} << 32;

// (t - 25569) * 86400 rounded to the nearest whole number, halves to even;
// the low 32 bits of that count read as a signed number. Nothing for a count
// outside [kFirstRecordSeconds, kRecordSecondsEnd): its low 32 bits would
// stand for another time.
std::optional<std::int32_t> recordTime(common::DateTime dateTime);

// How a record's time is read back. The bits are the low 32 of the seconds
// count: as a signed number they give 1901-12-13 20:45:52 to 2038-01-19
// 03:14:07 (dates before 1970 negative, as the import stores them), as an
// unsigned one 1970-01-01 to 2106-02-07 06:28:15 (as it stores dates from
// 2038-01-19 03:14:08 on). A file alone cannot tell which was meant.
enum class TimeReading {
    Signed,
    Unsigned,
};

// The seconds since 1970 that `time` stands for, read as `reading` says.
std::int64_t recordSeconds(std::int32_t time, TimeReading reading);

RecordBytes encodeRecord(const CustomDataRecord& record);
// The record held by the first kRecordSize bytes at `bytes`.
CustomDataRecord decodeRecord(const unsigned char* bytes);

} // namespace importer
