// The RFC 4180 record reader: fields, quoting, line breaks, the lenient
// cases, the refused ones, and where each record lies.
#include "csv/CsvRecords.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using testing_support::errorOf;

namespace {

using Records = std::vector<std::vector<std::string>>;

Records recordsOf(std::string_view text)
{
    Records records;
    csv::RecordReader reader(text);
    while (reader.next()) {
        records.emplace_back();
        for (std::size_t i = 0; i < reader.fieldCount(); ++i)
            records.back().emplace_back(reader.field(i));
    }
    return records;
}

TEST(CsvRecords, SplitsFieldsAndRecordsAsRfc4180Does)
{
    struct Case {
        std::string text;
        Records records;
    };
    const Case cases[] = {
        {"", {}},
        {"a,b", {{"a", "b"}}},
        {"a,b\r\n1,2\r\n", {{"a", "b"}, {"1", "2"}}},
        {"a\nb\rc\r\nd", {{"a"}, {"b"}, {"c"}, {"d"}}},
        {"\n", {{""}}},
        {"a,\n,\n", {{"a", ""}, {"", ""}}},
        {"\"\"\n", {{""}}},
        {"\"a,b\",\"say \"\"hi\"\"\"\n", {{"a,b", "say \"hi\""}}},
        {"\"1\r\n2\",\"3\n4\",\"5\r6\"\r\nx", {{"1\r\n2", "3\n4", "5\r6"}, {"x"}}},
        {"\"\"\"\",\"\"\"\"\"\"", {{"\"", "\"\""}}},
        {"  spaced  ,\" kept \"", {{"  spaced  ", " kept "}}},
        // Lenient: a quote inside an unquoted field, text after a closing quote.
        {"ab\"c,5\"", {{"ab\"c", "5\""}}},
        {"\"ab\"c,\"d\" ,e", {{"abc", "d ", "e"}}},
        {"浦发银行,\"平安,银行\"", {{"浦发银行", "平安,银行"}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(recordsOf(c.text), c.records) << c.text;
}

TEST(CsvRecords, RefusesAnOpenQuoteAtTheEndAndTooWideRecords)
{
    EXPECT_EQ(errorOf([] { recordsOf("a,b\r\n1,\"2\r\n3\"\n\"4,5\n"); }),
              "the quoted field that begins on line 4 has no closing quote before the end of the file");
    EXPECT_EQ(errorOf([] { recordsOf("\""); }),
              "the quoted field that begins on line 1 has no closing quote before the end of the file");
    const std::string widest(csv::kMaxFields - 1, ',');
    EXPECT_EQ(recordsOf(widest + "\n").at(0).size(), csv::kMaxFields);
    EXPECT_EQ(errorOf([&] { recordsOf("a\r\n" + widest + ",\n"); }), "line 2 has more than 16384 fields");
}

TEST(CsvRecords, GivesEachRecordsPlaceAndTheFilesLineBreak)
{
    const std::string text = "a,\"b\nc\"\r\n\rlast";
    csv::RecordReader reader(text);
    std::vector<std::size_t> places;
    while (reader.next())
        places.insert(places.end(), {reader.begin(), reader.fieldsEnd(), reader.end()});
    EXPECT_EQ(places, (std::vector<std::size_t>{0, 7, 9, 9, 9, 10, 10, 14, 14}));

    EXPECT_EQ(csv::lineBreakOf("\"a\nb\"\r\nc\n"), csv::LineBreak::CrLf); // the break inside quotes is data
    EXPECT_EQ(csv::lineBreakOf("a\nb\r\n"), csv::LineBreak::Lf);
    EXPECT_EQ(csv::lineBreakOf("a\rb"), csv::LineBreak::Cr);
    EXPECT_EQ(csv::lineBreakOf("one line"), csv::LineBreak::CrLf);
    EXPECT_EQ(csv::lineAt("a\r\nb\rc\nd", 7), 4u);
}

} // namespace
