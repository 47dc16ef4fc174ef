// Cells in any order: writers store rows top to bottom, but a sheet whose
// cell records come in another order must read the same. The records of a
// real workbook's sheet are reordered here (same bytes, other order).
#include "WorkbookFixtures.h"

#include "common/Error.h"

#include "workbook/BiffRecords.h"
#include "workbook/BiffText.h"
#include "workbook/CompoundFile.h"
#include "workbook/SheetTable.h"
#include "workbook/WorkbookGlobals.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace workbook_testing;

namespace {

bool isCellRecord(std::uint16_t type)
{
    return type == workbook::biff::kNumber || type == workbook::biff::kRk || type == workbook::biff::kMulRk ||
           type == workbook::biff::kLabelSst || type == workbook::biff::kBoolErr;
}

struct SheetStream {
    std::string stream;
    std::uint32_t offset = 0;
};

SheetStream firstSheetOf(const std::string& fixture)
{
    const std::string bytes = testing_support::readBytes(testing_support::dataPath(fixture));
    const workbook::CompoundFile file(bytes);
    SheetStream sheet{file.readStream(*file.findStream(u"Workbook")), 0};
    workbook::TextDecoder decoder(kUtf8);
    sheet.offset = workbook::readGlobals(sheet.stream, decoder).sheets.at(0).offset;
    return sheet;
}

// The same stream with the sheet's last value record moved before its first.
std::string withLastCellFirst(const SheetStream& sheet)
{
    workbook::RecordStream records(sheet.stream, sheet.offset);
    workbook::Record record;
    std::vector<std::pair<std::size_t, std::size_t>> pieces; // offset and length of each record
    while (records.next(record)) {
        pieces.emplace_back(record.offset, record.continuedEnd - record.offset);
        if (record.type == workbook::biff::kEof)
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
    workbook::TextDecoder decoder(kUtf8);
    workbook::WorkbookGlobals globals = workbook::readGlobals(stream, decoder);
    std::vector<std::string> texts = globals.sharedStrings;
    const workbook::SheetContext context{stream, globals, decoder, texts, texts.size()};
    std::size_t budget = 1 << 20;
    return tableTexts(*workbook::loadSheetTable(context, offset, texts, chineseSettings(), budget));
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
    workbook::RecordStream records(sheet.stream, sheet.offset);
    workbook::Record record;
    while (records.next(record) && record.type != workbook::biff::kMulRk) {
    }
    ASSERT_EQ(record.type, workbook::biff::kMulRk);
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
    workbook::TextDecoder decoder(kUtf8);
    workbook::WorkbookGlobals globals = workbook::readGlobals(sheet.stream, decoder);
    std::vector<std::string> texts = globals.sharedStrings;
    const workbook::SheetContext context{sheet.stream, globals, decoder, texts, texts.size()};
    std::size_t budget = 100000; // the sheet has 150000 cells
    try {
        workbook::loadSheetTable(context, sheet.offset, texts, chineseSettings(), budget);
        FAIL() << "a sheet over the budget was read";
    } catch (const common::Error& error) {
        EXPECT_STREQ(error.what(),
                     "its workbook stream is damaged (its sheets claim far more cells than it holds)");
    }
}

} // namespace
