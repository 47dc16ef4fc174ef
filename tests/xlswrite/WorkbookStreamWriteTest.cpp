// The workbook stream as the writer leaves it: untouched parts byte for
// byte, and every stream offset (BOUNDSHEET, INDEX, DBCELL, EXTSST) still
// pointing where it should after cells, rows and texts were added.
#include "support/WorkbookFixtures.h"

#include "common/Error.h"
#include "common/LittleEndian.h"
#include "xls/BiffRecords.h"
#include "xls/BiffText.h"
#include "xls/WorkbookGlobals.h"
#include "xlswrite/WorkbookStreamWrite.h"
#include "xlswrite/WriteCheck.h"
#include "xlswrite/XlsWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

using namespace workbook_testing;
using common::readU16;
using common::readU32;
using table::Cell;
using table::CellWrite;

namespace {

constexpr std::uint16_t kRow = 0x0208;
constexpr std::uint16_t kDbCell = 0x00D7;
constexpr std::uint16_t kIndex = 0x020B;
constexpr std::uint16_t kExtSst = 0x00FF;

std::string streamOf(const std::string& fixture)
{
    return xlswrite::workbookStreamOf(testing_support::readBytes(testing_support::dataPath(fixture)), true);
}

std::map<std::size_t, xls::Record> recordsByOffset(std::string_view stream)
{
    std::map<std::size_t, xls::Record> records;
    xls::RecordStream reader(stream);
    xls::Record record;
    while (reader.next(record))
        records[record.offset] = record;
    return records;
}

// The first sheet's INDEX names DBCELLs; each DBCELL leads back to its
// first ROW record and, row by row, to the first cell record of each of its
// rows. (Only the first sheet: Gnumeric's own DBCELLs count differently.)
void expectRowBlocksConsistent(std::string_view stream)
{
    const auto records = recordsByOffset(stream);
    std::size_t indexes = 0;
    for (const auto& [offset, record] : records) {
        if (record.type != kIndex)
            continue;
        ++indexes;
        for (std::size_t at = 16; at + 4 <= record.data.size(); at += 4) {
            const std::size_t dbCell = readU32(record.data, at);
            ASSERT_TRUE(records.count(dbCell) && records.at(dbCell).type == kDbCell)
                << "INDEX entry " << dbCell;
            const xls::Record& block = records.at(dbCell);
            const std::size_t firstRow = dbCell - readU32(block.data, 0);
            ASSERT_TRUE(records.count(firstRow) && records.at(firstRow).type == kRow)
                << "DBCELL at " << dbCell;
            std::size_t rowAt = firstRow;
            std::size_t cellAt = firstRow + 4 + 16;
            for (std::size_t i = 4; i + 2 <= block.data.size(); i += 2, rowAt += 20) {
                cellAt += readU16(block.data, i);
                const xls::Record& row = records.at(rowAt);
                ASSERT_EQ(row.type, kRow);
                const xls::Record& cell = records.at(cellAt);
                if (cell.type != kRow && cell.type != kDbCell) {
                    EXPECT_EQ(readU16(cell.data, 0), readU16(row.data, 0))
                        << "first cell of a row at " << cellAt;
                }
            }
        }
        break;
    }
    EXPECT_EQ(indexes, 1u);
}

// Every EXTSST bucket points at a string that begins where it says, inside
// an SST or CONTINUE record whose header lies cbOffset bytes before it.
void expectExtSstConsistent(std::string_view stream, const std::vector<std::string>& strings)
{
    const auto records = recordsByOffset(stream);
    for (const auto& [offset, record] : records) {
        if (record.type != kExtSst)
            continue;
        const std::size_t perBucket = readU16(record.data, 0);
        for (std::size_t b = 0; 2 + 8 * b + 8 <= record.data.size(); ++b) {
            const std::size_t at = readU32(record.data, 2 + 8 * b);
            const std::size_t header = at - readU16(record.data, 2 + 8 * b + 4);
            const std::uint16_t type = readU16(stream, header);
            EXPECT_TRUE(type == xls::biff::kSst || type == xls::biff::kContinue) << "bucket " << b;
            const std::size_t count = readU16(stream, at);
            const bool wide = (stream[at + 2] & 0x01) != 0;
            const std::string& expected = strings.at(b * perBucket);
            if (!wide && count <= expected.size() && expected.size() < 40) {
                EXPECT_EQ(std::string(stream.substr(at + 3, count)), expected) << "bucket " << b;
            }
        }
        return;
    }
    ADD_FAILURE() << "no EXTSST";
}

std::vector<std::string> sharedStringsOf(std::string_view stream)
{
    xls::TextDecoder decoder(kUtf8);
    return xls::readGlobals(stream, decoder).sharedStrings;
}

// Gnumeric counts the DBCELL offsets of a block's later rows from another
// place than the format says; the writer always writes them as the format
// says, so those offsets are left out when streams are compared.
std::string withoutDbCellOffsets(std::string stream)
{
    for (const auto& [offset, record] : recordsByOffset(stream))
        if (record.type == kDbCell)
            for (std::size_t at = offset + 4 + 4; at < offset + 4 + record.data.size(); ++at)
                stream[at] = 0;
    return stream;
}

// The first offset where two streams differ, or their common size.
std::size_t firstDifference(const std::string& a, const std::string& b)
{
    const auto [ia, ib] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    return static_cast<std::size_t>(ia - a.begin());
}

class UntouchedStream : public testing::TestWithParam<const char*> {};

TEST_P(UntouchedStream, WritingNoCellGivesTheSameBytes)
{
    const std::string stream = streamOf(GetParam());
    const auto book = openFixture(GetParam());
    const std::string written = xlswrite::writeCellsToStream(stream, 0, book->sheets()[0].name, {}, kUtf8);
    // LibreOffice writes neither INDEX nor DBCELL records; Gnumeric does.
    if (std::string(GetParam()).find("Gnumeric") == std::string::npos &&
        std::string(GetParam()) != "Booleans.xls") {
        EXPECT_EQ(firstDifference(written, stream), stream.size());
        EXPECT_EQ(written.size(), stream.size());
    } else {
        EXPECT_EQ(firstDifference(withoutDbCellOffsets(written), withoutDbCellOffsets(stream)),
                  stream.size());
        expectRowBlocksConsistent(written);
    }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, UntouchedStream,
                         testing::Values("Mixed.xls", "MixedGnumeric.xls", "Large.xls", "LongStrings.xls",
                                         "Booleans.xls", "Dates1904.xls", "GnumericFormulas.xls",
                                         "Quotes.xls"),
                         [](const auto& info) {
                             const std::string name = info.param;
                             return name.substr(0, name.find('.'));
                         });

TEST(WorkbookStreamWrite, RowsAddedInNewBlocksAreReachableThroughIndexAndDbCell)
{
    const std::string stream = streamOf("MixedGnumeric.xls");
    std::vector<CellWrite> cells{{2, 1, Cell::ofNumber(-7.25), {}},
                                 {40, 0, Cell::ofText(0), "NEW1"},
                                 {41, 3, Cell::ofNumber(1), {}},
                                 {2000, 2, Cell::ofText(0), "NEW2"}};
    const std::string written = xlswrite::writeCellsToStream(stream, 0, "Sheet1", cells, kUtf8);
    expectRowBlocksConsistent(written);
    const auto records = recordsByOffset(written);
    const auto index =
        std::find_if(records.begin(), records.end(), [](const auto& r) { return r.second.type == kIndex; });
    ASSERT_NE(index, records.end());
    EXPECT_EQ(readU32(index->second.data, 4), 0u);     // first row
    EXPECT_EQ(readU32(index->second.data, 8), 2001u);  // last row + 1
    EXPECT_EQ(index->second.data.size(), 16u + 4 * 3); // blocks of rows 0-31, 32-63, 1984-2015
    const std::vector<std::string> strings = sharedStringsOf(written);
    EXPECT_EQ(strings.size(), sharedStringsOf(stream).size() + 2);
    EXPECT_EQ(strings.back(), "NEW2");
}

TEST(WorkbookStreamWrite, TextsAddedToALargeSharedStringTableKeepItsIndexRight)
{
    const std::string stream = streamOf("Large.xls");
    std::vector<CellWrite> cells{{3000, 1, Cell::ofText(0), "NEW1"}, {5001, 0, Cell::ofText(0), "NEW2"}};
    const std::string written =
        xlswrite::writeCellsToStream(stream, 0, openFixture("Large.xls")->sheets()[0].name, cells, kUtf8);
    const std::vector<std::string> strings = sharedStringsOf(written);
    expectExtSstConsistent(stream, sharedStringsOf(stream));
    expectExtSstConsistent(written, strings);
    EXPECT_EQ(strings.size(), sharedStringsOf(stream).size() + 2);
    EXPECT_EQ(strings.back(), "NEW2");
}

TEST(WorkbookStreamWrite, ALongWideTextIsCutIntoContinueRecordsAndReadsBack)
{
    const std::string stream = streamOf("LongStrings.xls");
    std::string text;
    for (int i = 0; i < 6000; ++i)
        text += "行";
    const std::string written = xlswrite::writeCellsToStream(
        stream, 0, openFixture("LongStrings.xls")->sheets()[0].name, {{0, 5, Cell::ofText(0), text}}, kUtf8);
    const std::vector<std::string> strings = sharedStringsOf(written);
    EXPECT_EQ(strings.back(), text);
    expectExtSstConsistent(written, strings);
}

std::string writeError(const std::string& fixture, const std::string& sheet,
                       const testing_support::TempDir& folder, std::string& path)
{
    path = folder.file(fixture);
    testing_support::writeBytes(path, testing_support::readBytes(testing_support::dataPath(fixture)));
    try {
        xlswrite::writeCellsToFile(path, 0, sheet, {{1, 1, Cell::ofNumber(1), {}}}, kUtf8);
    } catch (const common::Error& error) {
        return error.what();
    }
    return "no error";
}

TEST(WorkbookStreamWrite, WorkbooksThatCannotBeWrittenAreRefusedAndLeftAsTheyWere)
{
    struct Case {
        const char* fixture;
        const char* sheet;
        const char* reason;
    };
    const Case cases[] = {
        {"Biff5Cp936.xls", "Sheet1",
         "it is an Excel 5.0/95 workbook, and only Excel 97-2003 workbooks can be written"},
        {"Encrypted.xls", "Sheet1", "it is protected by a password (encrypted workbooks are not supported)"},
        {"Quotes.xls", "Renamed", "the file was changed by another program after it was opened"},
    };
    for (const Case& c : cases) {
        testing_support::TempDir folder;
        std::string path;
        const std::string error = writeError(c.fixture, c.sheet, folder, path);
        EXPECT_EQ(error,
                  std::string("Cannot write the posted row into the workbook \"") + path + "\": " + c.reason);
        EXPECT_EQ(testing_support::readBytes(path),
                  testing_support::readBytes(testing_support::dataPath(c.fixture)));
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1) << c.fixture;
    }
}

TEST(WorkbookStreamWrite, AWorkbookOpenInLibreOfficeIsRefused)
{
    testing_support::TempDir folder;
    testing_support::writeBytes(folder.file(".~lock.Quotes.xls#"), "x");
    std::string path;
    const std::string error = writeError("Quotes.xls", "Sheet1", folder, path);
    EXPECT_EQ(error, "Cannot write the posted row into the workbook \"" + path +
                         "\": the file is open in another program");
}

TEST(WorkbookStreamWrite, CellsBeyondTheSheetsLimitsAreRefused)
{
    const std::string stream = streamOf("Quotes.xls");
    struct Case {
        CellWrite cell;
        const char* message;
    };
    const Case cases[] = {
        {{65536, 0, Cell::ofNumber(1), {}},
         "cell A65537 lies beyond the last row or column a sheet can hold"},
        {{3, 256, Cell::ofNumber(1), {}}, "cell IW4 lies beyond the last row or column a sheet can hold"},
        {{1, 0, Cell::ofText(0), std::string(32768, 'x')},
         "the text for cell A2 is longer than the 32767 characters a cell can hold"},
    };
    for (const Case& c : cases) {
        try {
            xlswrite::writeCellsToStream(stream, 0, "Sheet1", {c.cell}, kUtf8);
            ADD_FAILURE() << "no error for " << c.message;
        } catch (const common::Error& error) {
            EXPECT_STREQ(error.what(), c.message);
        }
    }
    // The longest text a cell can hold goes in.
    const std::string longest(32767, 'y');
    const std::string written =
        xlswrite::writeCellsToStream(stream, 0, "Sheet1", {{1, 0, Cell::ofText(0), longest}}, kUtf8);
    EXPECT_EQ(sharedStringsOf(written).back(), longest);
}

// Damaged streams (bytes changed at places a fixed seed picks) either are
// written or fail with the data layer's error; nothing else escapes.
TEST(WorkbookStreamWrite, DamagedStreamsFailWithTheDataLayersError)
{
    const std::vector<CellWrite> cells{{1, 1, Cell::ofNumber(2.5), {}},
                                       {2, 0, Cell::ofText(0), "x"},
                                       {1, 10, Cell::ofBoolean(true), {}},
                                       {40, 2, Cell::ofText(0), "y"}};
    std::uint32_t seed = 12345;
    auto random = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return seed >> 8;
    };
    int written = 0;
    int refused = 0;
    for (const char* fixture :
         {"Mixed.xls", "MixedGnumeric.xls", "GnumericFormulas.xls", "ArrayFormula.xls"}) {
        const std::string stream = streamOf(fixture);
        const std::string sheet = openFixture(fixture)->sheets()[0].name;
        for (int round = 0; round < 150; ++round) {
            std::string damaged = stream;
            for (int flips = 1 + round % 4; flips > 0; --flips)
                damaged[random() % damaged.size()] = static_cast<char>(random());
            try {
                xlswrite::writeCellsToStream(damaged, 0, sheet, cells, kUtf8);
                ++written;
            } catch (const common::Error&) {
                ++refused;
            } catch (const std::exception& other) {
                ADD_FAILURE() << fixture << " round " << round << ": " << other.what();
            }
        }
    }
    EXPECT_GT(written, 0);
    EXPECT_GT(refused, 0);
}

} // namespace
