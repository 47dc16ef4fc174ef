// Reading a text file line by line: line-break and Ctrl+Z cases, buffer edges, huge lines.
#include "common/TextFileReader.h"

#include "common/Error.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <random>
#include <vector>

using testing_support::TempDir;
using testing_support::writeBytes;

namespace {

std::vector<std::string> readAllLines(const std::string& path)
{
    common::TextFileReader reader(path);
    std::vector<std::string> lines;
    while (!reader.atEnd())
        lines.push_back(reader.readLine());
    return lines;
}

// The same through the overload that fills one string again and again: a
// line shorter than the one before must not keep any of its bytes.
std::vector<std::string> readAllLinesReusing(const std::string& path)
{
    common::TextFileReader reader(path);
    std::vector<std::string> lines;
    std::string line = "left over from before";
    while (!reader.atEnd()) {
        reader.readLine(line);
        lines.push_back(line);
    }
    return lines;
}

using Lines = std::vector<std::string>;

TEST(TextFileReader, LineBreakCases)
{
    const struct {
        std::string bytes;
        Lines lines;
    } cases[] = {
        {"A\rB\r\n", {"AB"}},
        {"A\x1A"
         "B\r\nC\r\n",
         {"A", "C"}},
        {"\x1A"
         "A\r\n",
         {}},
        {"A\r\nB", {"A", "B"}},
        {"", {}},
        {"\n", {""}},
        {"\n\n", {"", ""}},
        {"A\nB\n", {"A", "B"}},
        {"A\r", {"A"}},
        {"A\r\r\nB", {"A", "B"}},
        {"A\n\x1A"
         "B\n",
         {"A"}},
        {"A\x1A", {"A"}},
        {std::string("a\0b\n", 4), {std::string("a\0b", 3)}},
        {"\xEF\xBB\xBFx\n", {"\xEF\xBB\xBFx"}},
    };
    TempDir dir;
    int index = 0;
    for (const auto& c : cases) {
        const std::string path = dir.file("case" + std::to_string(index++));
        writeBytes(path, c.bytes);
        EXPECT_EQ(readAllLines(path), c.lines) << "case " << index - 1;
        EXPECT_EQ(readAllLinesReusing(path), c.lines) << "case " << index - 1;
    }
}

TEST(TextFileReader, LinesLongerThanTheBufferAreReadWhole)
{
    TempDir dir;
    std::string first(200000, 'x');
    first[65535] = '\r'; // a CR right at a buffer edge is still dropped
    std::string expected = first;
    expected.erase(65535, 1);
    std::string second(70000, 'y');
    writeBytes(dir.file("long.txt"), first + "\r\n" + second + "\x1A" + std::string(70000, 'z') + "\nend");
    EXPECT_EQ(readAllLines(dir.file("long.txt")), (Lines{expected, second, "end"}));
    EXPECT_EQ(readAllLinesReusing(dir.file("long.txt")), (Lines{expected, second, "end"}));
}

TEST(TextFileReader, AHundredMegabyteLineIsOneLine)
{
    TempDir dir;
    const std::size_t size = 100u * 1024 * 1024;
    writeBytes(dir.file("huge.txt"), std::string(size, '7') + "\r\nnext");
    common::TextFileReader reader(dir.file("huge.txt"));
    const std::string line = reader.readLine();
    EXPECT_EQ(line.size(), size);
    EXPECT_EQ(line.find_first_not_of('7'), std::string::npos);
    EXPECT_EQ(reader.readLine(), "next");
    EXPECT_TRUE(reader.atEnd());
}

TEST(TextFileReader, ALineLongerThanTheCallerTakesIsSkippedAndReadingGoesOn)
{
    // Limit 100 000, across the 64 KiB buffer edge: a line of exactly the
    // limit (its CRs dropped, not counted), one byte more, one whose text a
    // Ctrl+Z ends in time, and one too long cut by the end of the file.
    TempDir dir;
    const std::size_t limit = 100000;
    const std::string fits(limit, 'a');
    const std::string tooLong(limit + 1, 'b');
    writeBytes(dir.file("long.txt"), fits.substr(0, 5) + "\r" + fits.substr(5) + "\r\n" + tooLong +
                                         "\r\nnext\n" + fits + "\x1A" + tooLong + "\n" + tooLong);
    common::TextFileReader reader(dir.file("long.txt"));
    std::vector<std::pair<bool, std::size_t>> results;
    std::string line;
    while (!reader.atEnd()) {
        const bool taken = reader.readLine(line, limit);
        results.emplace_back(taken, line.size());
        if (line == "next")
            results.back().second = 0;
    }
    EXPECT_EQ(results, (std::vector<std::pair<bool, std::size_t>>{
                           {true, limit}, {false, 0}, {true, 0}, {true, limit}, {false, 0}}));
}

TEST(TextFileReader, CrLfSplitAcrossTheBufferEdgeIsOneBreak)
{
    TempDir dir;
    const std::string first(65535, 'a');
    writeBytes(dir.file("edge.txt"), first + "\r\nb");
    EXPECT_EQ(readAllLines(dir.file("edge.txt")), (Lines{first, "b"}));
    EXPECT_EQ(readAllLinesReusing(dir.file("edge.txt")), (Lines{first, "b"}));
}

TEST(TextFileReader, OpeningAFolderIsRefusedWithCode5)
{
    TempDir dir;
    try {
        common::TextFileReader reader(dir.path().string());
        FAIL() << "no error";
    } catch (const common::Error& error) {
        EXPECT_EQ(error.ioCode(), 5);
        EXPECT_STREQ(error.what(), "File access denied");
    }
}

TEST(TextFileReader, ReadingAfterCloseIsAnError)
{
    TempDir dir;
    writeBytes(dir.file("a.txt"), "A\nB\n");
    common::TextFileReader reader(dir.file("a.txt"));
    EXPECT_EQ(reader.readLine(), "A");
    reader.close();
    try {
        reader.readLine();
        FAIL() << "no error";
    } catch (const common::Error& error) {
        EXPECT_EQ(error.ioCode(), 103);
    }
}

} // namespace

namespace {

TEST(TextFileReader, AReusedStringHoldsOnlyTheLatestLine)
{
    TempDir dir;
    const std::string path = dir.file("shrinking.txt");
    writeBytes(path, std::string(70000, 'x') + "\r\nab\r\n\r\nc\x1A"
                                               "dropped\r\n");
    EXPECT_EQ(readAllLinesReusing(path), (Lines{std::string(70000, 'x'), "ab", "", "c"}));
}

} // namespace

namespace {

// The line rules one byte at a time, as the reader must apply them however
// it scans its buffer.
Lines modelLines(const std::string& bytes)
{
    Lines lines;
    std::size_t pos = 0;
    while (pos < bytes.size() && bytes[pos] != '\x1A') {
        std::string line;
        for (; pos < bytes.size(); ++pos) {
            const char c = bytes[pos];
            if (c == '\n' || c == '\x1A')
                break;
            if (c != '\r')
                line += c;
        }
        if (pos < bytes.size() && bytes[pos] == '\x1A')
            pos = bytes.find('\n', pos) == std::string::npos ? bytes.size() : bytes.find('\n', pos);
        if (pos < bytes.size())
            ++pos; // the LF
        lines.push_back(line);
    }
    return lines;
}

// Bytes one bit away from LF, CR and Ctrl+Z, and with the high bit set, at
// every offset: the reader scans several bytes a step.
TEST(TextFileReader, BreaksAtEveryOffsetAmongLookalikeBytes)
{
    static const char kLookalikes[] =
        "ab\n\r\x1A\x0B\x0C\x0E\x1B\x18\x19\x1E\x8A\x8D\x9A\xFF\x80\x09\x00 \x2A";
    const std::string alphabet(kLookalikes, sizeof kLookalikes - 1);
    std::mt19937 random(7);
    TempDir dir;
    for (int file = 0; file < 300; ++file) {
        std::string bytes;
        const std::size_t length = random() % 120;
        for (std::size_t i = 0; i < length; ++i) {
            // Mostly ordinary bytes, so that lines run over several steps.
            const bool special = random() % 4 == 0;
            bytes += special ? alphabet[random() % alphabet.size()] : static_cast<char>('A' + random() % 26);
        }
        const std::string path = dir.file("mixed" + std::to_string(file));
        writeBytes(path, bytes);
        const Lines expected = modelLines(bytes);
        ASSERT_EQ(readAllLines(path), expected) << "file " << file;
        ASSERT_EQ(readAllLinesReusing(path), expected) << "file " << file;
    }
}

} // namespace
