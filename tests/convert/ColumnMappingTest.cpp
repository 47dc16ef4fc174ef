#include "convert/ColumnMapping.h"

#include <gtest/gtest.h>

namespace {

struct MappingCase {
    const char* line;
    const char* column;
    const char* customDataName;
    bool complete;
};

const MappingCase kCases[] = {
    {"Close<->\xca\xd5\xc5\xcc", "Close", "\xca\xd5\xc5\xcc", true}, // Close<->收盘 in GBK
    {"Close<->\xca\xd5\xc5\xcc<->x", "Close", "\xca\xd5\xc5\xcc<->x", true},
    {"<->", "", "", false},
    {"Close<->", "Close", "", false},
    {"<->name", "", "name", false},
    {"", "", "", false},
    {" Close <-> name ", " Close ", " name ", true}, // nothing is trimmed
    {"a<-b<->c", "a<-b", "c", true},
    {"a<<->>b", "a<", ">b", true},
};

TEST(ColumnMapping, SplitsAtTheFirstSeparator)
{
    for (const MappingCase& c : kCases) {
        SCOPED_TRACE(c.line);
        const convert::ColumnMapping mapping = convert::parseColumnMapping(c.line);
        EXPECT_EQ(mapping.column, c.column);
        EXPECT_EQ(mapping.customDataName, c.customDataName);
        EXPECT_EQ(mapping.isComplete(), c.complete);
    }
}

TEST(ColumnMapping, LineWithoutSeparatorHasNoColumnAndIsSkipped)
{
    const convert::ColumnMapping mapping = convert::parseColumnMapping("Close");
    EXPECT_EQ(mapping.column, "");
    EXPECT_FALSE(mapping.isComplete());
}

TEST(ColumnMapping, FormattedLineParsesBack)
{
    const std::string line = convert::formatColumnMapping("Vol", "\xb3\xc9\xbd\xbb\xc1\xbf");
    EXPECT_EQ(line, "Vol<->\xb3\xc9\xbd\xbb\xc1\xbf");
    const convert::ColumnMapping mapping = convert::parseColumnMapping(line);
    EXPECT_EQ(mapping.column, "Vol");
    EXPECT_EQ(mapping.customDataName, "\xb3\xc9\xbd\xbb\xc1\xbf");
}

} // namespace
