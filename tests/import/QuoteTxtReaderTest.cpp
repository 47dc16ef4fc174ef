// Splitting a QuoteTxtFile line at its first two tabs.
#include "import/QuoteTxtReader.h"

#include <gtest/gtest.h>

using namespace importer;

TEST(QuoteTxtReader, SplitsAtTheFirstTwoTabsOnly)
{
    struct Case {
        const char* line;
        const char* code;
        const char* date;
        const char* value;
    } cases[] = {
        {"SH600000\t2008-01-15\t12.5", "SH600000", "2008/01/15", "12.5"},
        {"SH600000", "", "", "SH600000"},
        {"SH600000\t12.5", "SH600000", "", "12.5"},
        {"A\t2008-01-15\t1\t2", "A", "2008/01/15", "1\t2"},
        {"\t\t", "", "", ""},
        {"A\t-1-\t", "A", "/1/", ""},
    };
    for (const Case& c : cases) {
        QuoteLineFields fields = splitQuoteLine(c.line);
        std::string date;
        normalizeDateField(fields.date, date);
        EXPECT_EQ(fields.code, c.code) << c.line;
        EXPECT_EQ(date, c.date) << c.line;
        EXPECT_EQ(fields.value, c.value) << c.line;
    }
}
