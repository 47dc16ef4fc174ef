// The shortest text of a float: fewest digits, the shorter notation, and
// that it reads back as the same float.
#include "common/FloatText.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cstdint>
#include <limits>

namespace {

TEST(FloatText, FewestDigitsInTheShorterNotation)
{
    const struct {
        float value;
        const char* text;
    } cases[] = {
        {0.0f, "0"},
        {-0.0f, "-0"},
        {12.5f, "12.5"},
        {0.1f, "0.1"}, // 0.100000001490116...
        {-3.75f, "-3.75"},
        {1.0f / 3, "0.33333334"},
        {-27891492864.0f, "-27891493000"}, // not the exact integer -27891492864
        {123456789.0f, "123456790"},       // the float is 123456792
        {16777216.0f, "16777216"},
        {1e38f, "1e+38"},
        {3.4028235e38f, "3.4028235e+38"}, // the largest float
        {0.0001f, "1e-04"},               // shorter than 0.0001
        {0.001f, "0.001"},                // as long as 1e-03: fixed
        // Ties: two texts of the fewest digits lie equally near; the even one.
        {1048576.25f, "1048576.2"},
        {4194303.75f, "4194303.8"},
        // Denormals, down to the smallest.
        {std::numeric_limits<float>::denorm_min(), "1e-45"},
        {2 * std::numeric_limits<float>::denorm_min(), "3e-45"},
        {std::bit_cast<float>(std::uint32_t{0x007FFFFF}), "1.1754942e-38"}, // the largest denormal
        {std::numeric_limits<float>::min(), "1.1754944e-38"},
        {std::numeric_limits<float>::infinity(), "inf"},
        {-std::numeric_limits<float>::infinity(), "-inf"},
    };
    for (const auto& c : cases) {
        const std::string text = common::shortestFloatText(c.value);
        EXPECT_EQ(text, c.text);
        float back = 0;
        std::from_chars(text.data(), text.data() + text.size(), back);
        EXPECT_EQ(std::bit_cast<std::uint32_t>(back), std::bit_cast<std::uint32_t>(c.value)) << text;
    }
}

} // namespace
