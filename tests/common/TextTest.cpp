// Byte-text operations: position, copy, replace-all, ASCII upper case, case-insensitive equality.
#include "common/Text.h"

#include <gtest/gtest.h>

using common::CodePage;

namespace {

const CodePage kGbk(936);
const CodePage kLatin(1252);

TEST(Text, PositionCountsFromOneAndGivesZeroWhenMissing)
{
    EXPECT_EQ(common::textPos("<->", "abc"), 0u);
    EXPECT_EQ(common::textPos("<->", "Close<->\xCA\xD5\xC5\xCC"), 6u);
    EXPECT_EQ(common::textPos("a", "a"), 1u);
    EXPECT_EQ(common::textPos("", "abc"), 0u);
    EXPECT_EQ(common::textPos("a", ""), 0u);
    EXPECT_EQ(common::textPos("bc", "abcbc"), 2u);
}

TEST(Text, CopyTable)
{
    const struct {
        const char* text;
        long long start;
        long long count;
        const char* result;
    } cases[] = {
        {"abc", 1, -1, ""},   {"abc", 0, 2, "ab"},
        {"abc", 4, 1, ""},    {"abc", 2, 100, "bc"},
        {"abc", 1, 0, ""},    {"", 1, 5, ""},
        {"abc", -5, 1, "a"},  {"abc", 3, 1, "c"},
        {"abc", 1, 3, "abc"}, {"abc", 2, 9223372036854775807LL, "bc"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(common::textCopy(c.text, c.start, c.count), c.result)
            << c.text << " " << c.start << " " << c.count;
}

TEST(Text, MissingSeparatorConsequences)
{
    const std::string text = "Close";
    const std::size_t pos = common::textPos("<->", text);
    EXPECT_EQ(common::textCopy(text, 1, static_cast<long long>(pos) - 1), "");
    EXPECT_EQ(common::textCopy(text, pos + 1, static_cast<long long>(text.size() - pos)), "Close");
    EXPECT_EQ(common::textCopy(text, pos + 3, static_cast<long long>(text.size())), "ose");
}

TEST(Text, ReplaceAllTable)
{
    const struct {
        std::string text, from, to, result;
    } cases[] = {
        {"2024/01/05", "/", "-", "2024-01-05"},
        {"2024-01-05", "-", "/", "2024/01/05"},
        {"", "-", "/", ""},
        {"aaa", "aa", "b", "ba"},
        {"abc", "", "x", "abc"},
        {"aXa", "x", "y", "aXa"},
        {"a.b", ".", "", "ab"},
        {"x", "x", "xx", "xx"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(common::replaceAll(c.text, c.from, c.to, kGbk), c.result) << c.text;
}

TEST(Text, ReplaceAllNeverMatchesAtATrailByte)
{
    // 誠 (D5 5C) followed by a real backslash: only the second 5C is one.
    const std::string text = "\xD5\x5C\x5C";
    EXPECT_EQ(common::replaceAll(text, "\\", "/", kGbk), "\xD5\x5C/");
    EXPECT_EQ(common::replaceAll(text, "\\", "/", kLatin), "\xD5//");
    // A trail byte with the value of "A".
    EXPECT_EQ(common::replaceAll("\x81"
                                 "AA",
                                 "A", "b", kGbk),
              "\x81"
              "Ab");
    // A pattern starting with a lead byte matches whole characters.
    EXPECT_EQ(common::replaceAll("\xCA\xD5\xC5\xCC", "\xD5\xC5", "?", kGbk), "\xCA\xD5\xC5\xCC");
}

TEST(Text, UpperAsciiTouchesOnlyAsciiLetters)
{
    for (const char* extension : {".txt", ".Txt", ".TXT"})
        EXPECT_EQ(common::upperAscii(extension), ".TXT") << extension;
    // Full-width ．ｔｘｔ in GBK stays as it is and never matches.
    const std::string fullWidth = "\xA3\xAE\xA3\xF4\xA3\xF8\xA3\xF4";
    EXPECT_EQ(common::upperAscii(fullWidth), fullWidth);
    EXPECT_EQ(common::upperAscii("\xE9z{`"), "\xE9Z{`");
}

TEST(Text, TrimmedDropsOnlyTheGivenBlanksAtBothEnds)
{
    const struct {
        std::string_view text;
        std::string_view blanks;
        std::string_view trimmed;
    } cases[] = {
        {"  a b  ", " ", "a b"},
        {"\t a \t", " ", "\t a \t"},
        {"\t a \r\n", " \t\r\n", "a"},
        {"   ", " ", ""},
        {"", " ", ""},
        {"\xCA\xD5 ", " ", "\xCA\xD5"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(common::trimmed(c.text, c.blanks), c.trimmed) << c.text;
}

TEST(Text, CaseInsensitiveEquality)
{
    EXPECT_TRUE(common::sameTextIgnoreCase("Close", "CLOSE", kGbk));
    EXPECT_TRUE(common::sameTextIgnoreCase("", "", kGbk));
    EXPECT_FALSE(common::sameTextIgnoreCase("Close", "Closed", kGbk));
    EXPECT_FALSE(common::sameTextIgnoreCase("a", "", kGbk));
    EXPECT_FALSE(common::sameTextIgnoreCase("[", "{", kGbk));
    // GBK trail bytes with letter values compare exactly.
    EXPECT_FALSE(common::sameTextIgnoreCase("\x81"
                                            "a",
                                            "\x81"
                                            "A",
                                            kGbk));
    EXPECT_TRUE(common::sameTextIgnoreCase("\xCA\xD5x", "\xCA\xD5X", kGbk));
    // Windows-1252 letters fold, its signs do not.
    EXPECT_TRUE(common::sameTextIgnoreCase("\xE9t\xE9", "\xC9T\xC9", kLatin));
    EXPECT_TRUE(common::sameTextIgnoreCase("\x9A", "\x8A", kLatin));
    EXPECT_FALSE(common::sameTextIgnoreCase("\xF7", "\xD7", kLatin));
    EXPECT_FALSE(common::sameTextIgnoreCase("\xE9", "\xC9", CodePage(65001)));
}

} // namespace
