// Code pages from codeset names, GBK lead and trail bytes, and conversions to and from Unicode.
#include "common/CodePage.h"
#include "common/Encoding.h"

#include <gtest/gtest.h>
#include <string>

using common::CodePage;

namespace {

TEST(CodePage, CodesetNamesMapToWindowsNumbers)
{
    const struct {
        const char* codeset;
        int number;
    } cases[] = {
        {"GBK", 936},
        {"GB2312", 936},
        {"gb2312", 936},
        {"GB18030", 54936},
        {"UTF-8", 65001},
        {"utf8", 65001},
        {"ISO-8859-1", 28591},
        {"ISO8859-15", 28605},
        {"ANSI_X3.4-1968", 20127},
        {"CP1251", 1251},
        {"BIG5", 950},
        {"EUC-KR", 949},
        {"SHIFT_JIS", 932},
        {"something-else", 1252},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CodePage::fromCodesetName(c.codeset).number(), c.number) << c.codeset;
}

TEST(CodePage, GbkLeadBytesAreTheRange81ToFE)
{
    const CodePage gbk(936);
    EXPECT_TRUE(gbk.isDoubleByte());
    EXPECT_FALSE(gbk.isLeadByte(0x80));
    EXPECT_TRUE(gbk.isLeadByte(0x81));
    EXPECT_TRUE(gbk.isLeadByte(0xFE));
    EXPECT_FALSE(gbk.isLeadByte(0xFF));
    EXPECT_FALSE(gbk.isLeadByte('\\'));
}

TEST(CodePage, SingleByteCodePagesHaveNoLeadBytes)
{
    for (int number : {1252, 65001, 28591}) {
        const CodePage cp(number);
        EXPECT_FALSE(cp.isDoubleByte()) << number;
        for (int byte = 0; byte < 256; ++byte)
            ASSERT_FALSE(cp.isLeadByte(static_cast<unsigned char>(byte))) << number << " " << byte;
    }
}

TEST(CodePage, TrailByteIsDecidedByTheParityOfTheLeadRunBeforeIt)
{
    const CodePage gbk(936);
    // 誠 is D5 5C: its 5C is a trail byte, not a backslash.
    EXPECT_TRUE(common::isTrailByte("a\xD5\x5C", 2, gbk));
    EXPECT_FALSE(common::isTrailByte("a\xD5\x5C", 1, gbk));
    // Two lead-valued bytes form one character; the 5C after them stands alone.
    EXPECT_FALSE(common::isTrailByte("\xD5\xD5\x5C", 2, gbk));
    EXPECT_TRUE(common::isTrailByte("\xD5\xD5\xD5\x5C", 3, gbk));
    EXPECT_FALSE(common::isTrailByte("\xD5\x5C", 0, gbk));
    EXPECT_FALSE(common::isTrailByte("a\xD5\x5C", 2, CodePage(1252)));
}

TEST(Encoding, GbkRoundTripsThroughUtf16)
{
    const CodePage gbk(936);
    const std::string bytes = "SH\xD5\x5C\xCA\xD5\xC5\xCC"; // SH誠收盘
    const std::u16string units = common::codePageToUtf16(bytes, gbk);
    EXPECT_EQ(units, u"SH誠收盘");
    EXPECT_EQ(common::utf16ToCodePage(units, gbk), bytes);
}

TEST(Encoding, Utf8TextsBecomeGbkBytes)
{
    EXPECT_EQ(common::utf8ToCodePage("收盘", CodePage(936)), "\xCA\xD5\xC5\xCC");
    EXPECT_EQ(common::codePageToUtf8("\xCA\xD5\xC5\xCC", CodePage(936)), "收盘");
    // Identity under UTF-8, even for bytes that are not valid UTF-8.
    EXPECT_EQ(common::utf8ToCodePage("a\xFF", CodePage(65001)), "a\xFF");
}

TEST(Encoding, CharactersTheTargetCannotHoldBecomeQuestionMarks)
{
    EXPECT_EQ(common::utf16ToCodePage(u"a\u20ACb\U0001F600c", CodePage(936)), "a\x80"
                                                                              "b?c");
    EXPECT_EQ(common::utf16ToCodePage(u"x\u6536y", CodePage(1252)), "x?y");
    // A lone surrogate is not a character at all.
    std::u16string broken = u"a";
    broken += static_cast<char16_t>(0xD800);
    broken += u"b";
    EXPECT_EQ(common::utf16ToCodePage(broken, CodePage(936)), "a?b");
}

TEST(Encoding, MalformedSourceBytesBecomeQuestionMarks)
{
    // A lead byte cut off at the end of the text.
    EXPECT_EQ(common::codePageToUtf16("ab\xD5", CodePage(936)), u"ab?");
    EXPECT_EQ(common::codePageToUtf8("a\xFF"
                                     "b",
                                     CodePage(936)),
              "a?b");
}

TEST(Encoding, CodePagesUnknownToIconvKeepTheirAsciiPart)
{
    const CodePage unknown(1);
    EXPECT_EQ(common::utf16ToCodePage(u"ab\u6536", unknown), "ab?");
    EXPECT_EQ(common::codePageToUtf16("ab\xCA", unknown), u"ab?");
    EXPECT_EQ(common::codePageToUtf8("ab\xCA", unknown), "ab?");
}

TEST(Encoding, LongTextsAreConvertedWhole)
{
    std::string bytes;
    for (int i = 0; i < 5000; ++i)
        bytes += "\xCA\xD5x";
    const std::u16string units = common::codePageToUtf16(bytes, CodePage(936));
    ASSERT_EQ(units.size(), 10000u);
    EXPECT_EQ(units[9998], u'收');
    EXPECT_EQ(common::utf16ToCodePage(units, CodePage(936)), bytes);
}

} // namespace
