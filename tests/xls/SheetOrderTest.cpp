// Cells in any order: writers store rows top to bottom, but a sheet whose
// cell records come in another order must read the same. The records of a
// real workbook's sheet are reordered here (same bytes, other order).
#include "support/WorkbookFixtures.h"

#include "common/Error.h"
#include "xls/BiffRecords.h"
#include "xls/BiffText.h"
#include "xls/CompoundFile.h"
#include "xls/SheetTable.h"
#include "xls/WorkbookGlobals.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace workbook_testing;

namespace {

bool isCellRecord(std::uint16_t type)
{
    return type == xls::biff::kNumber || type == xls::biff::kRk || type == xls::biff::kMulRk ||
           type == xls::biff::kLabelSst || type == xls::biff::kBoolErr;
}

struct SheetStream {
    std::string stream;
    std::uint32_t offset = 0;
};

SheetStream firstSheetOf(const std::string& fixture)
{
    const std::string bytes = testing_support::readBytes(testing_support::dataPath(fixture));
    const xls::CompoundFile file(bytes);
    SheetStream sheet{file.readStream(*file.findStream(u"Workbook")), 0};
    xls::TextDecoder decoder(kUtf8);
    sheet.offset = xls::readGlobals(sheet.stream, decoder).sheets.at(0).offset;
    return sheet;
}

// The same stream with the sheet's last value record moved before its first.
std::string withLastCellFirst(const SheetStream& sheet)
{
    xls::RecordStream records(sheet.stream, sheet.offset);
    xls::Record record;
    std::vector<std::pair<std::size_t, std::size_t>> pieces; // offset and length of each record
    while (records.next(record)) {
        pieces.emplace_back(record.offset, record.continuedEnd - record.offset);
        if (record.type == xls::biff::kEof)
            break;
    }
    auto first = std::find_if(pieces.begin(), pieces.end(), [&](const auto& p) {
        return isCellRecord(static_cast<std::uint8_t>(sheet.stream[p.first]) |
                            static_cast<std::uint8_t>(sheet.stream[p.first + 1]) << 8);
    });
    auto last = std::find_if(pieces.rbegin(), pieces.rend(), [&](const auto& p) {
        return isCellRecord(static_cast<std::uint8_t>(sheet.stream[p.first]) |
                            static_cast<std::uint8_t>(sheet.stream[p.first + 1]) << 8);
    });
    std::rotate(first, last.base() - 1, last.base());
    std::string reordered = sheet.stream.substr(0, sheet.offset);
    for (const auto& [at, length] : pieces)
        reordered += sheet.stream.substr(at, length);
    reordered += sheet.stream.substr(reordered.size());
    return reordered;
}

std::vector<std::vector<std::string>> sheetTexts(const std::string& stream, std::uint32_t offset)
{
    xls::TextDecoder decoder(kUtf8);
    xls::WorkbookGlobals globals = xls::readGlobals(stream, decoder);
    std::vector<std::string> texts = globals.sharedStrings;
    const xls::SheetContext context{stream, globals, decoder, texts, texts.size()};
    std::size_t budget = 1 << 20;
    return tableTexts(*xls::loadSheetTable(context, offset, texts, chineseSettings(), budget));
}

TEST(SheetOrder, CellsOutOfRowOrderReadTheSame)
{
    const SheetStream sheet = firstSheetOf("Mixed.xls");
    const std::string reordered = withLastCellFirst(sheet);
    ASSERT_EQ(reordered.size(), sheet.stream.size());
    ASSERT_NE(reordered, sheet.stream);
    const auto expected = sheetTexts(sheet.stream, sheet.offset);
    EXPECT_EQ(sheetTexts(reordered, sheet.offset), expected);
    EXPECT_EQ(expected[1][0], "600000");
}

// A MULRK record's numbers come as one run; one that lands on cells read
// before it replaces them, every one, as single cells would.
TEST(SheetOrder, AMulRkRunOverCellsReadBeforeReplacesThem)
{
    const SheetStream sheet = firstSheetOf("Mixed.xls");
    xls::RecordStream records(sheet.stream, sheet.offset);
    xls::Record record;
    while (records.next(record) && record.type != xls::biff::kMulRk) {
    }
    ASSERT_EQ(record.type, xls::biff::kMulRk);
    ASSERT_EQ(record.data.substr(0, 4), std::string("\x01\x00\x02\x00", 4)); // row 1, from column C
    ASSERT_EQ(record.data.size(), 24u);                                      // three numbers
    const auto before = sheetTexts(sheet.stream, sheet.offset);
    std::string moved = sheet.stream;
    moved[record.offset + 6] = '\x00'; // now from column A, over the row's first two cells
    const auto after = sheetTexts(moved, sheet.offset);
    std::vector<std::string> row = before[1];
    row[0] = before[1][2];
    row[1] = before[1][3];
    row[2] = before[1][4];
    row[3] = "";
    row[4] = "";
    ASSERT_NE(row[0], before[1][0]);
    EXPECT_EQ(after[1], row);
    EXPECT_EQ(after[2], before[2]);
}

TEST(SheetOrder, ASheetAskingForMoreCellsThanTheBudgetIsRefused)
{
    const SheetStream sheet = firstSheetOf("Large.xls");
    xls::TextDecoder decoder(kUtf8);
    xls::WorkbookGlobals globals = xls::readGlobals(sheet.stream, decoder);
    std::vector<std::string> texts = globals.sharedStrings;
    const xls::SheetContext context{sheet.stream, globals, decoder, texts, texts.size()};
    std::size_t budget = 100000; // the sheet has 150000 cells
    try {
        xls::loadSheetTable(context, sheet.offset, texts, chineseSettings(), budget);
        FAIL() << "a sheet over the budget was read";
    } catch (const common::Error& error) {
        EXPECT_STREQ(error.what(),
                     "its workbook stream is damaged (its sheets claim far more cells than it holds)");
    }
}

} // namespace
