// The navigator's ten enable rules, state by state.
#include "pages/NavigatorRules.h"

#include <gtest/gtest.h>

#include <string>

using pages::NavigatorState;

namespace {

// One character per button in bar order, "1" enabled: first, prior, next,
// last, insert, delete, edit, post, cancel, refresh.
std::string pattern(const NavigatorState& state)
{
    std::string result;
    for (bool on : pages::navigatorEnabled(state))
        result += on ? '1' : '0';
    return result;
}

} // namespace

TEST(NavigatorRules, EnabledButtonsFollowTheLinkCursorAndEditState)
{
    struct Case {
        const char* what;
        NavigatorState state;
        const char* pattern;
    };
    // active, at beginning, at end, can modify, empty, editing
    const Case cases[] = {
        {"link off or query closed", {false, false, false, true, false, false}, "0000000000"},
        {"first row", {true, true, false, true, false, false}, "0011111001"},
        {"middle row", {true, false, false, true, false, false}, "1111111001"},
        {"last row", {true, false, true, true, false, false}, "1100111001"},
        {"one row only", {true, true, true, true, false, false}, "0000111001"},
        {"editing", {true, false, false, true, false, true}, "1111110111"},
        {"empty sheet", {true, true, true, true, true, false}, "0000101001"},
        {"read-only query", {true, false, false, false, false, false}, "1111000000"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(pattern(c.state), c.pattern) << c.what;
}
