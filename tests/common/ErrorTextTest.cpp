// The error box's full-stop rule, which the window and the command line share.
#include "common/ErrorText.h"

#include <gtest/gtest.h>

namespace {

TEST(ErrorText, AFullStopFollowsALastCharacterAboveTheFullStop)
{
    const struct {
        std::string message;
        std::string shown;
    } cases[] = {
        {"File not found", "File not found."},
        {"Cannot sort by 'A'", "Cannot sort by 'A'"},                             // "'" is below "."
        {"the file is truncated (12 bytes)", "the file is truncated (12 bytes)"}, // so is ")"
        {"Stream write error.", "Stream write error."},                           // "." itself is not above
        {"Ends in a slash/", "Ends in a slash/."},                                // "/" is just above
        {"Ends in a hyphen-", "Ends in a hyphen-"},                               // "-" is just below
        {"", ""},
        {"\xCE\xC4\xBC\xFE", "\xCE\xC4\xBC\xFE."},                 // GBK: the trail byte counts
        {"\xE6\x96\x87\xE4\xBB\xB6", "\xE6\x96\x87\xE4\xBB\xB6."}, // UTF-8 likewise
    };
    for (const auto& c : cases)
        EXPECT_EQ(common::errorBoxText(c.message), c.shown) << c.message;
}

} // namespace
