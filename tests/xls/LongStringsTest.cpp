// Shared strings cut by CONTINUE records, where 8-bit and 16-bit character
// runs meet at the cuts: every text must come back whole.
#include "support/WorkbookFixtures.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace workbook_testing;

namespace {

// The texts LongStrings.py writes.
std::vector<std::string> expectedTexts()
{
    const char* words[] = {"alpha", "平安", "beta", "银行", "gamma", "浦发", "delta", "茅台"};
    std::vector<std::string> texts;
    for (int i = 0; i < 1200; ++i) {
        char piece[32];
        std::snprintf(piece, sizeof piece, "%s-%04d-", words[i % 8], i);
        std::string text;
        for (int r = 0; r < 1 + i % 5; ++r)
            text += piece;
        texts.push_back(text);
    }
    std::string longText(9000, 'x');
    for (int i = 0; i < 6000; ++i)
        longText += "长";
    longText += std::string(5000, 'y');
    texts.push_back(longText);
    return texts;
}

TEST(LongStrings, EveryTextAcrossContinueRecordsComesBackWhole)
{
    const auto book = openFixture("LongStrings.xls");
    const table::Table& table = tableOf(*book, "Texts");
    const std::vector<std::string> expected = expectedTexts();
    ASSERT_EQ(table.rowCount(), expected.size());
    for (std::size_t row = 0; row < expected.size(); ++row) {
        ASSERT_EQ(table.cellText(row, 1, chineseSettings()), expected[row]) << "row " << row;
        ASSERT_EQ(table.cellText(row, 0, chineseSettings()), std::to_string(row));
    }
}

} // namespace
