// A .csv file as a table: the fixtures Python's csv module and LibreOffice
// wrote (every quoting case; UTF-8, behind a byte-order mark, GBK), and the
// layout rules shared with worksheets.
#include "csv/CsvTable.h"

#include "common/Encoding.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using testing_support::dataPath;
using testing_support::errorOf;
using testing_support::readBytes;

namespace {

const common::CodePage kUtf8(65001);
const common::CodePage kGbk(936);
using Texts = std::vector<std::vector<std::string>>;

struct Read {
    std::vector<std::string> texts;
    std::unique_ptr<table::Table> table;
};

Read read(std::string_view bytes, const common::CodePage& codePage = kUtf8)
{
    Read result;
    result.table = csv::readCsvTable(bytes, codePage, common::RegionalSettings{}, result.texts);
    return result;
}

// The field names, then every row's cell texts; every field must be text.
Texts textsOf(const table::Table& table)
{
    Texts rows(1);
    for (const table::Field& field : table.fields()) {
        EXPECT_EQ(field.type, table::FieldType::Text) << field.name;
        rows[0].push_back(field.name);
    }
    for (std::size_t r = 0; r < table.rowCount(); ++r) {
        rows.emplace_back();
        for (std::size_t f = 0; f < table.fieldCount(); ++f)
            rows.back().push_back(table.cellText(r, f, common::RegionalSettings{}));
    }
    return rows;
}

Texts inCodePage(Texts rows, const common::CodePage& codePage)
{
    for (auto& row : rows)
        for (std::string& text : row)
            text = common::utf8ToCodePage(text, codePage);
    return rows;
}

TEST(CsvTable, EveryQuotingCaseGivesTheFieldsAsWritten)
{
    const Texts expected = {
        {"Code", "Name", "Note", "Quote", "F5"},
        {"600000", "浦发银行", "a,b", "say \"hi\"", ""},
        {"000001", "平安银行", "line1\nline2", "cr\ronly", ""},
        {"300750", "", "crlf\r\nboth", "  spaced  ", ""},
        {"600519", "\"", ",", "\"\"", ""},
        {"1", "", "", "", ""},
        {"2", "x", "y", "z", "beyond"},
        {"", "", "", "", ""},
        {"3", "", "", "last", ""},
    };
    for (const char* name : {"Quoting.csv", "QuotingAll.csv"})
        EXPECT_EQ(textsOf(*read(readBytes(dataPath(name))).table), expected) << name;
}

TEST(CsvTable, AByteOrderMarkMeansUtf8AndIsNoPartOfTheFirstName)
{
    const Texts daily = {{"代码", "收盘 价"}, {"600000", "10.5"}, {"000001", "9.75"}};
    EXPECT_EQ(textsOf(*read(readBytes(dataPath("Daily.csv"))).table), daily);
    EXPECT_EQ(textsOf(*read(readBytes(dataPath("DailyBom.csv"))).table), daily);
    EXPECT_EQ(textsOf(*read(readBytes(dataPath("DailyBom.csv")), kGbk).table), inCodePage(daily, kGbk));
    EXPECT_EQ(textsOf(*read(readBytes(dataPath("DailyGbk.csv")), kGbk).table), inCodePage(daily, kGbk));
}

TEST(CsvTable, IsLaidOutAsAWorksheetIs)
{
    struct Case {
        std::string text;
        Texts table;
        std::uint32_t headerRow = 0;
        std::uint16_t firstColumn = 0;
    };
    const Case cases[] = {
        // Nothing but empty fields: what an empty sheet gives.
        {"", {{"F1"}}},
        {"\xEF\xBB\xBF", {{"F1"}}},
        {"\r\n,,\r\n\"\"\r\n", {{"F1"}}},
        // The used range: leading empty records and columns, trailing empty records.
        {",,\n,Code,Close\n,1,2\n\n,\n", {{"Code", "Close"}, {"1", "2"}}, 1, 1},
        // Unnamed fields; empty fields after the last value are no fields.
        {"a,,c,\n1\n,,,,\n", {{"a", "F2", "c"}, {"1", "", ""}}},
        {"a,b\n1,2,,\n3,4,5\n", {{"a", "b", "F3"}, {"1", "2", ""}, {"3", "4", "5"}}},
        // An empty record between values is an empty row.
        {"a\n\n1\n", {{"a"}, {""}, {"1"}}},
    };
    for (const Case& c : cases) {
        const Read result = read(c.text);
        EXPECT_EQ(textsOf(*result.table), c.table) << c.text;
        EXPECT_EQ(result.table->headerRow(), c.headerRow) << c.text;
        EXPECT_EQ(result.table->firstColumn(), c.firstColumn) << c.text;
    }
}

TEST(CsvTable, AnOpenQuoteIsAnErrorNotTheRestOfTheFile)
{
    EXPECT_EQ(errorOf([] { read("Code,Name\n600000,\"浦发\n000001,平安\n"); }),
              "the quoted field that begins on line 2 has no closing quote before the end of the file");
}

} // namespace
