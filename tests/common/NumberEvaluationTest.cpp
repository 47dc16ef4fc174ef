// The quick evaluation of number texts (a uint64 of digits times or over a
// power of ten) against the C library's correctly rounded strtold: the same
// extended-precision value, bit for bit, on edge and random texts.
#include "common/NumberParse.h"

#include "common/Error.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>

namespace {

using common::detail::libraryNumberValue;
using common::detail::numberValue;
using common::detail::quickNumberValue;

// The quick evaluation needs the 64-bit mantissa of x86 extended precision;
// elsewhere every text goes to the library and only agreement is checked.
constexpr bool kQuickEvaluation = std::numeric_limits<long double>::digits >= 64;

// Equal values with equal signs (-0 and 0 differ in a record's bytes).
bool sameValue(const std::optional<long double>& a, const std::optional<long double>& b)
{
    if (!a || !b)
        return !a && !b;
    return *a == *b && std::signbit(*a) == std::signbit(*b);
}

std::string describe(const std::optional<long double>& value)
{
    if (!value)
        return "nothing";
    char text[64];
    std::snprintf(text, sizeof text, "%La", *value);
    return text;
}

// Checks one text both ways; `quick` tells whether the quick evaluation must
// take it, so that a test cannot pass by every text falling to the library.
void expectAgreement(const std::string& text, bool quick, char separator = '.')
{
    const std::optional<long double> library = libraryNumberValue(text, separator);
    const std::optional<long double> used = numberValue(text, separator);
    const std::optional<long double> fast = quickNumberValue(text, separator);
    EXPECT_EQ(fast.has_value(), quick && kQuickEvaluation) << "\"" << text << "\"";
    EXPECT_TRUE(sameValue(used, library))
        << "\"" << text << "\": " << describe(used) << " vs strtold " << describe(library);
    if (fast) {
        EXPECT_TRUE(sameValue(fast, library))
            << "\"" << text << "\": quick " << describe(fast) << " vs strtold " << describe(library);
    }
}

TEST(NumberEvaluation, EdgeTextsAgreeWithTheLibrary)
{
    const struct {
        const char* text;
        bool quick;
    } cases[] = {
        {"12.5", true},
        {"1e", true},
        {".", true},
        {"-0", true},
        {"-0.0e-4999", true}, // zero whatever the exponent
        {"0e499", true},
        {"+.e-", true},
        {"  -12.34  ", true},
        {"9999999999999999999", true},   // 19 digits
        {"18446744073709551615", false}, // 20 digits, though a uint64 holds it
        {"10000000000000000000", false}, // 20 digits with trailing zeros
        {"99999999999999999999", false},
        {"000000000000000000000000000001", true},  // leading zeros do not count
        {"0.0000000000000000000000000001", false}, // 10^-28
        {"0.000000000000000000000000001", true},   // 10^-27
        {"1e27", true},
        {"1e28", false},
        {"1e-27", true},
        {"1e-28", false},
        {"9999999999999999999e27", true},
        {"9999999999999999999e-27", true},
        {"9999999999999999999e28", false},
        {"1.5e-26", true},
        {"12.5e26", true},
        {"123456789.01234567891", false}, // 19 significant digits plus one
        {"123456789.0123456789", true},
        {"1,5", false}, // not a number with "." as the separator
        {"1e5000", false},
        {"1e4999", false}, // beyond extended precision: no value
        {"3.4028235e38", false},
        {"3402823567797336616e20", true}, // just below half-way to 2^128
        {"3402823567797336617e20", true}, // just above
        {"16777217", true},               // half-way between two floats
        {"16777219", true},
        {"16777217.000000001", true},
        {"3689348814741910325e1", true}, // exactly half-way between two long doubles
        {"3689348814741910327e1", true},
        {"3e27", true},                   // 3 * 5^27 is odd and 65 bits long: half-way too
        {"1.401298464324817e-45", false}, // the smallest denormal float
        {"1e-40", false},
        {"1e-4950", false},
    };
    for (const auto& c : cases)
        expectAgreement(c.text, c.quick);
}

TEST(NumberEvaluation, TheSeparatorOfTheSettingsIsTheOneRead)
{
    expectAgreement("12,5", true, ',');
    EXPECT_TRUE(sameValue(numberValue("12,5", ','), 12.5L));
    EXPECT_FALSE(numberValue("12.5", ','));
}

TEST(NumberEvaluation, OverflowBoundIsTheSameOnBothSidesOfTheQuickBounds)
{
    const float largest = std::numeric_limits<float>::max();
    // 2^128 - 2^103 = 340282356779733661637539395458142568448 is the bound.
    EXPECT_EQ(common::parseNumber("3402823567797336616e20", {}), largest);
    for (const char* text :
         {"3402823567797336617e20", "-3402823567797336617e20", "340282356779733661637539395458142568448"}) {
        try {
            common::parseNumber(text, {});
            ADD_FAILURE() << text << " did not overflow";
        } catch (const common::Error& error) {
            EXPECT_STREQ(error.what(), "Floating point overflow") << text;
        }
    }
}

// Every long double tie the quick bounds allow: m * 10^e where m * 5^e is an
// odd number of 65 bits, so the exact value lies half-way between two
// neighbours (and m * 5^e + 1, just above half-way, with it).
TEST(NumberEvaluation, LongDoubleTiesRoundAsTheLibraryRounds)
{
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
    constexpr std::uint64_t kLargest19Digits = 9999999999999999999ULL;
    int ties = 0;
    std::uint64_t five = 1;
    for (int e = 1; e <= 27; ++e) {
        five *= 5;
        // 2^64 <= m * 5^e < 2^65 for m in [low, high], without 128-bit sums:
        // 2^64 - 1 = q * 5^e + r, so 2^65 - 1 = 2q * 5^e + 2r + 1.
        const std::uint64_t q = kMax / five;
        const std::uint64_t r = kMax % five;
        const std::uint64_t low = q + 1;
        const std::uint64_t high = std::min(2 * q + (2 * r + 1) / five, kLargest19Digits);
        for (std::uint64_t m = low; m <= high && m < low + 40; ++m) {
            if (m % 2 == 0) // 5^e is odd, so the product is odd when m is
                continue;
            ++ties;
            expectAgreement(std::to_string(m) + "e" + std::to_string(e), true);
        }
    }
    EXPECT_GT(ties, 100);
}

// Float ties and near-ties in the integers: (2k+1) * 2^(s-1) for a 24-bit k,
// written plain and with the point moved into an exponent.
TEST(NumberEvaluation, FloatTiesAgreeAfterRoundingToSingle)
{
    std::mt19937_64 random(20080115);
    for (int i = 0; i < 20000; ++i) {
        const std::uint64_t k = (random() & 0x7fffff) | 0x800000;
        const int shift = static_cast<int>(random() % 36) + 1;
        const std::uint64_t tie = ((2 * k + 1) << (shift - 1)) + (random() % 3) - 1;
        const std::string digits = std::to_string(tie);
        const std::size_t point = random() % (digits.size() + 1);
        const std::string text = digits.substr(0, point) + "." + digits.substr(point) + "e" +
                                 std::to_string(digits.size() - point);
        expectAgreement(text, digits.size() <= 19);
        const std::optional<long double> library = libraryNumberValue(text, '.');
        ASSERT_TRUE(library);
        EXPECT_EQ(common::parseNumber(text, {}), static_cast<float>(*library)) << text;
    }
}

// Random texts of every shape the parse accepts, most within the quick
// bounds and many just beyond them.
TEST(NumberEvaluation, RandomTextsAgreeWithTheLibrary)
{
    std::mt19937_64 random(1200355200);
    int quick = 0;
    constexpr int kTexts = 200000;
    for (int i = 0; i < kTexts; ++i) {
        std::string digits(random() % 4, '0');
        const int significant = static_cast<int>(random() % 22) + 1;
        for (int d = 0; d < significant; ++d)
            digits += static_cast<char>('0' + random() % 10);
        const std::size_t point = random() % (digits.size() + 1);
        std::string text = (random() % 2) ? "-" : "";
        text += digits.substr(0, point) + (random() % 4 ? "." : "") + digits.substr(point);
        if (random() % 3) {
            const int exponent = static_cast<int>(random() % 81) - 40;
            text += (random() % 2 ? "e" : "E") + std::to_string(exponent);
        }
        const std::optional<long double> library = libraryNumberValue(text, '.');
        const std::optional<long double> fast = quickNumberValue(text, '.');
        quick += fast.has_value();
        ASSERT_TRUE(sameValue(numberValue(text, '.'), library)) << text;
        if (fast) {
            ASSERT_TRUE(sameValue(fast, library))
                << text << ": " << describe(fast) << " vs " << describe(library);
        }
    }
    // Both ways must have been exercised.
    if (!kQuickEvaluation)
        GTEST_SKIP() << "no quick evaluation with this long double";
    EXPECT_GT(quick, kTexts / 3);
    EXPECT_LT(quick, kTexts * 9 / 10);
}

} // namespace
