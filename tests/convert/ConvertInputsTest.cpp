#include "convert/ConvertInputs.h"

#include "common/CodePage.h"

#include <gtest/gtest.h>

namespace {

const common::CodePage kGbk(936);
constexpr int kYear = 2026;

common::RegionalSettings chineseSettings()
{
    common::RegionalSettings settings;
    settings.dateSeparator = '/';
    settings.shortDateFormat = "yyyy/M/d";
    settings.timeSeparator = ':';
    settings.decimalSeparator = '.';
    return settings;
}

convert::ConvertInputs passingInputs()
{
    convert::ConvertInputs inputs;
    inputs.workbookPath = "/data/quotes.xls";
    inputs.saveFolder = "/data/out";
    inputs.sheetOpen = true;
    inputs.codeColumnSelected = true;
    inputs.quoteDate = "2024/01/05";
    inputs.mappingCount = 2;
    return inputs;
}

std::optional<std::string> check(const convert::ConvertInputs& inputs)
{
    return convert::firstFailedCheck(inputs, chineseSettings(), kYear, kGbk);
}

TEST(ConvertChecks, AllPassingGivesNoMessage)
{
    EXPECT_EQ(check(passingInputs()), std::nullopt);
}

// Each row breaks one input and every input after it, so a check made out of
// order would report a later message. Messages are the GBK bytes.
TEST(ConvertChecks, FirstFailingCheckWinsInOrder)
{
    struct Step {
        void (*breakInput)(convert::ConvertInputs&);
        const char* message;
    };
    const Step steps[] = {
        {[](convert::ConvertInputs& in) { in.workbookPath.clear(); },
         "\xc3\xbb\xd3\xd0\xd6\xb8\xb6\xa8"
         "Excel\xce\xc4\xbc\xfe\xc2\xb7\xbe\xb6\xa3\xbf"},
        {[](convert::ConvertInputs& in) { in.workbookPathIsOpenBook = false; },
         "\xd6\xb8\xb6\xa8\xb5\xc4"
         "Excel\xce\xc4\xbc\xfe\xc3\xbb\xd3\xd0\xb4\xf2\xbf\xaa\xa3\xbf"},
        {[](convert::ConvertInputs& in) { in.saveFolder.clear(); },
         "\xc3\xbb\xd3\xd0\xd6\xb8\xb6\xa8"
         "txt\xce\xc4\xbc\xfe\xc2\xb7\xbe\xb6\xa3\xbf"},
        {[](convert::ConvertInputs& in) { in.sheetOpen = false; },
         "\xc3\xbb\xd3\xd0\xd6\xb8\xb6\xa8\xb1\xed\xa3\xbf"},
        {[](convert::ConvertInputs& in) { in.codeColumnSelected = false; },
         "\xc3\xbb\xd3\xd0\xd6\xb8\xb6\xa8\xd6\xa4\xc8\xaf\xb4\xfa\xc2\xeb\xc1\xd0\xa3\xbf"},
        {[](convert::ConvertInputs& in) { in.quoteDate = "2024/13/05"; },
         "\xd6\xb8\xb6\xa8\xd0\xd0\xc7\xe9\xc8\xd5\xc6\xda\xb2\xbb\xd5\xfd\xc8\xb7\xa3\xbf"},
        {[](convert::ConvertInputs& in) { in.mappingCount = 0; },
         "\xc3\xbb\xd3\xd0\xc9\xe8\xd6\xc3\xc1\xd0\xb6\xd4\xd3\xa6\xb9\xd8\xcf\xb5\xa3\xbf"},
    };
    const std::size_t count = sizeof steps / sizeof steps[0];
    for (std::size_t first = 0; first < count; ++first) {
        SCOPED_TRACE(first);
        convert::ConvertInputs inputs = passingInputs();
        for (std::size_t i = first; i < count; ++i)
            steps[i].breakInput(inputs);
        EXPECT_EQ(check(inputs), std::optional<std::string>(steps[first].message));
    }
}

TEST(ConvertChecks, QuoteDateIsCheckedByTheDateParse)
{
    struct DateCase {
        const char* text;
        bool valid;
    };
    const DateCase cases[] = {
        {"2024/01/05", true},  {"2024/1/5 10:30", true},
        {"2024/02/30", false}, {"    /  /  ", false}, // an untouched date field
        {"2024-01-05", false}, {"", false},
    };
    for (const DateCase& c : cases) {
        SCOPED_TRACE(c.text);
        convert::ConvertInputs inputs = passingInputs();
        inputs.quoteDate = c.text;
        EXPECT_EQ(check(inputs).has_value(), !c.valid);
    }
}

TEST(ConvertChecks, MessagesFollowTheCodePage)
{
    convert::ConvertInputs inputs = passingInputs();
    inputs.sheetOpen = false;
    EXPECT_EQ(convert::firstFailedCheck(inputs, chineseSettings(), kYear, common::CodePage(65001)),
              std::optional<std::string>("没有指定表？"));
}

} // namespace
