// The 8 record bytes of worked dates and values, and the rounding of seconds.
#include "import/CustomDataRecord.h"

#include <gtest/gtest.h>

#include <vector>

using namespace importer;

namespace {

using Bytes = std::vector<unsigned char>;

Bytes encoded(const CustomDataRecord& record)
{
    RecordBytes bytes = encodeRecord(record);
    return Bytes(bytes.begin(), bytes.end());
}

struct RecordCase {
    const char* what;
    double dateTime;
    float value;
    std::int32_t time;
    Bytes bytes;
};

const RecordCase kRecordCases[] = {
    {"2008-01-15, 12.5", 39462.0, 12.5f, 1200355200, {0x80, 0xF7, 0x8B, 0x47, 0x00, 0x00, 0x48, 0x41}},
    {"1970-01-01, 0.1", 25569.0, 0.1f, 0, {0x00, 0x00, 0x00, 0x00, 0xCD, 0xCC, 0xCC, 0x3D}},
    {"1969-12-31, -3.75", 25568.0, -3.75f, -86400, {0x80, 0xAE, 0xFE, 0xFF, 0x00, 0x00, 0x70, 0xC0}},
    // 2208988800 does not fit 32 bits: the low 32 bits read as signed.
    {"2040-01-01, 0", 25569.0 + 25567.0, 0.0f, -2085978496, {0x80, 0x7E, 0xAA, 0x83, 0x00, 0x00, 0x00, 0x00}},
    {"2008-01-15 09:30:00",
     39462.0 + 34200.0 / 86400.0,
     1.0f,
     1200389400,
     {0x18, 0x7D, 0x8C, 0x47, 0x00, 0x00, 0x80, 0x3F}},
};

} // namespace

TEST(CustomDataRecord, WorkedExamplesGiveTheirExactBytes)
{
    for (const RecordCase& c : kRecordCases) {
        SCOPED_TRACE(c.what);
        CustomDataRecord record{recordTime(c.dateTime).value(), c.value};
        EXPECT_EQ(record.time, c.time);
        EXPECT_EQ(encoded(record), c.bytes);
        CustomDataRecord back = decodeRecord(c.bytes.data());
        EXPECT_EQ(back.time, c.time);
        EXPECT_EQ(back.value, c.value);
    }
}

TEST(CustomDataRecord, HalfSecondsRoundToTheEvenNeighbour)
{
    // 1/256 of a day is exactly 337.5 s and 3/256 exactly 1012.5 s, so these
    // inputs carry no representation error of their own.
    EXPECT_EQ(recordTime(25569.0 + 1.0 / 256), 338);
    EXPECT_EQ(recordTime(25569.0 + 3.0 / 256), 1012);
    EXPECT_EQ(recordTime(25569.0 - 1.0 / 256), -338);
    EXPECT_EQ(recordTime(25569.0 - 3.0 / 256), -1012);
}

TEST(CustomDataRecord, OnlyCountsThe32BitsCanCarryGiveATime)
{
    // From -2^31 (1901-12-13 20:45:52) up to 2^32 - 1 (2106-02-07 06:28:15);
    // past 2^31 - 1 the low 32 bits, the unsigned count, read as signed.
    const double epoch = 25569.0;
    const struct {
        double seconds;
        std::optional<std::int32_t> time;
    } cases[] = {
        {-2147483648.0, INT32_MIN},
        {-2147483649.0, std::nullopt},
        {2147483647.0, INT32_MAX},
        {2147483648.0, INT32_MIN},
        {4294967295.0, -1},
        {4294967296.0, std::nullopt},
        {4294967296.0 + 86400.0, std::nullopt},
        {(2958465.0 - epoch) * 86400.0, std::nullopt}, // 9999-12-31
        {(1.0 - epoch) * 86400.0, std::nullopt},       // 1900-01-01
    };
    for (const auto& c : cases)
        EXPECT_EQ(recordTime(epoch + c.seconds / 86400.0), c.time) << static_cast<long long>(c.seconds);
}
