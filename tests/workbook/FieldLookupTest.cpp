// Field-by-name: an exact name first, then the first field equal without
// regard to case.
#include "support/WorkbookFixtures.h"

#include "common/Error.h"
#include "workbook/FieldLookup.h"

#include <gtest/gtest.h>

using namespace workbook_testing;

namespace {

TEST(FieldLookup, ExactNameFirstThenTheFirstCaselessMatch)
{
    const std::vector<table::Field> fields = {{"Code"}, {"Close"}, {"close"}, {"\xca\xd5\xc5\xcc"}, {"VOL"}};
    const struct {
        const char* name;
        std::optional<std::size_t> index;
    } cases[] = {
        {"Close", 1},
        {"close", 2},
        {"CLOSE", 1},
        {"cLoSe", 1},
        {"code", 0},
        {"vol", 4},
        {"\xca\xd5\xc5\xcc", 3},
        {"Clos", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(workbook::findField(fields, c.name, kGbk), c.index) << c.name;
    try {
        workbook::fieldByName(fields, "Open", kGbk, "ADOQuery1");
        FAIL() << "no error";
    } catch (const common::Error& error) {
        EXPECT_STREQ(error.what(), "ADOQuery1: Field 'Open' not found");
    }
}

} // namespace
