#include "convert/NormalizeStockCode.h"

#include <gtest/gtest.h>

namespace {

struct CodeCase {
    const char* cellText;
    const char* normalised;
    bool written;
};

// The rule's own table, plus the bytes of a double-byte character among the
// digits ("６" full-width is not an ASCII digit and must vanish).
const CodeCase kCases[] = {
    {"600000", "SH600000", true},
    {"000001", "SZ000001", true},
    {"002415", "SZ002415", true},
    {"sh600519", "SH600519", true},
    {"600519.SH", "SH600519", true},
    {"SZ000002", "SZ000002", true},
    {"300750", "300750", false},
    {"900901", "900901", false},
    {"1", "1", false},
    {"01", "01", false},
    {"6", "SH6", true},
    {"", "", false},
    {" 6 0-0+0 0\t0 ", "SH600000", true},
    {"\xa3\xb6"
     "00001",
     "SZ00001", true}, // GBK full-width 6 before 00001
    {"\xd6\xd0"
     "0",
     "0", false}, // GBK 中 then 0
    {"0", "0", false},
    {"00", "SZ00", true},
};

TEST(NormalizeStockCode, FollowsTheCodeTable)
{
    for (const CodeCase& c : kCases) {
        SCOPED_TRACE(c.cellText);
        const std::string code = convert::NormalizeStockCode(c.cellText);
        EXPECT_EQ(code, c.normalised);
        EXPECT_EQ(convert::hasMarketPrefix(code), c.written);
    }
}

TEST(NormalizeStockCode, PrefixTestLooksAtTheFirstTwoCharactersOnly)
{
    EXPECT_TRUE(convert::hasMarketPrefix("SH"));
    EXPECT_TRUE(convert::hasMarketPrefix("SZ1"));
    EXPECT_FALSE(convert::hasMarketPrefix("sh600000"));
    EXPECT_FALSE(convert::hasMarketPrefix("S"));
    EXPECT_FALSE(convert::hasMarketPrefix("XSH600000"));
}

} // namespace
