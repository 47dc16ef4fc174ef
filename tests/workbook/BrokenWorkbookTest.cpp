// Damaged and unsuitable files: each gives the data layer's clear message,
// never a crash, a hang or a huge allocation. The damage is done by hand to
// a real workbook's bytes.
#include "support/WorkbookFixtures.h"

#include "common/Error.h"
#include "common/FileNames.h"
#include "common/LittleEndian.h"
#include "workbook/WorkbookFormat.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace workbook_testing;
using common::putU32;
using testing_support::TempDir;

namespace {

// Places in Mixed.xls (512-byte sectors), found from its header as a reader would.
struct Layout {
    std::string bytes = testing_support::readBytes(testing_support::dataPath("Mixed.xls"));
    std::size_t sectorOffset(std::uint32_t sector) const { return (sector + 1) * 512; }
    std::uint32_t directorySector() const { return common::readU32(bytes, 0x30); }
    std::size_t fatEntry(std::uint32_t sector) const
    {
        return sectorOffset(common::readU32(bytes, 0x4C)) + 4 * sector;
    }
    // The directory entry of the "Workbook" stream.
    std::size_t workbookEntry() const
    {
        for (std::size_t i = 0; i < 4; ++i) {
            const std::size_t at = sectorOffset(directorySector()) + 128 * i;
            if (bytes.compare(at, 16, std::string("W\0o\0r\0k\0b\0o\0o\0k\0", 16)) == 0)
                return at;
        }
        throw std::runtime_error("no Workbook entry");
    }
    std::size_t streamStart() const { return sectorOffset(common::readU32(bytes, workbookEntry() + 0x74)); }
    // The first record of `type` from the record header at `at` on (the
    // stream lies in one piece in this file).
    std::size_t findRecord(std::size_t at, std::uint16_t type) const
    {
        while (common::readU16(bytes, at) != type)
            at += 4 + common::readU16(bytes, at + 2);
        return at;
    }
    // The record header of the first sheet's BOF.
    std::size_t firstSheet() const
    {
        const std::size_t boundSheet = findRecord(streamStart(), 0x0085);
        return streamStart() + common::readU32(bytes, boundSheet + 4);
    }
};

std::string openMessage(const std::string& path)
{
    try {
        workbook::openWorkbookFile(path, kUtf8, chineseSettings());
    } catch (const common::Error& error) {
        return error.what();
    }
    return "opened";
}

std::string messageFor(const std::string& bytes)
{
    TempDir dir;
    const std::string path = dir.file("broken.xls");
    testing_support::writeBytes(path, bytes);
    return openMessage(path);
}

std::string expected(const std::string& reason)
{
    return "Cannot open the workbook \"broken.xls\": " + reason;
}

// The message names the file as given; compare without the temporary folder.
std::string withoutFolder(std::string message)
{
    const std::size_t quote = message.find('"');
    const std::size_t slash = message.rfind(common::pathSeparator(), message.find('"', quote + 1));
    if (quote != std::string::npos && slash != std::string::npos && slash > quote)
        message.erase(quote + 1, slash - quote);
    return message;
}

TEST(BrokenWorkbook, MissingFileFolderAndEmptyFileAreNamed)
{
    TempDir dir;
    EXPECT_EQ(openMessage(dir.file("none.xls")),
              "Cannot open the workbook \"" + dir.file("none.xls") + "\": the file does not exist");
    EXPECT_EQ(openMessage(dir.path().string()),
              "Cannot open the workbook \"" + dir.path().string() + "\": it is a folder, not a file");
    EXPECT_EQ(withoutFolder(messageFor("")), expected("the file is empty"));
}

TEST(BrokenWorkbook, AFileThatIsNotAWorkbookIsRefused)
{
    EXPECT_EQ(withoutFolder(messageFor("Code\tClose\r\n600000\t10.5\r\n")),
              expected("it is not an Excel 97-2003 workbook (no compound-file signature)"));
}

TEST(BrokenWorkbook, AnEncryptedWorkbookIsRefused)
{
    const std::string path = testing_support::dataPath("Encrypted.xls");
    EXPECT_EQ(openMessage(path),
              "Cannot open the workbook \"" + path +
                  "\": it is protected by a password (encrypted workbooks are not supported)");
}

TEST(BrokenWorkbook, ALoopInTheDirectoryChainIsFound)
{
    Layout layout;
    putU32(layout.bytes, layout.fatEntry(layout.directorySector()), layout.directorySector());
    EXPECT_EQ(withoutFolder(messageFor(layout.bytes)),
              expected("a sector chain of the file runs in a loop (the directory returns to sector " +
                       std::to_string(layout.directorySector()) + ")"));
}

TEST(BrokenWorkbook, AChainLeavingTheFileIsFound)
{
    Layout layout;
    putU32(layout.bytes, layout.fatEntry(layout.directorySector()), 0x7FFFFFF0);
    EXPECT_EQ(
        withoutFolder(messageFor(layout.bytes)),
        expected("a sector chain of the file points outside it (the directory names sector 2147483632)"));
}

TEST(BrokenWorkbook, ALoopInTheWorkbookStreamIsFound)
{
    Layout layout;
    const std::uint32_t start = common::readU32(layout.bytes, layout.workbookEntry() + 0x74);
    putU32(layout.bytes, layout.fatEntry(start), start);
    EXPECT_EQ(withoutFolder(messageFor(layout.bytes)),
              expected("a sector chain of the file runs in a loop (the workbook stream returns to sector " +
                       std::to_string(start) + ")"));
}

TEST(BrokenWorkbook, AnAbsurdStreamSizeAllocatesNothing)
{
    Layout layout;
    putU32(layout.bytes, layout.workbookEntry() + 0x78, 0xFFFFFFF0);
    EXPECT_EQ(
        withoutFolder(messageFor(layout.bytes)),
        expected(
            "the file is truncated (the workbook stream claims 4294967280 bytes, more than the file holds)"));
}

TEST(BrokenWorkbook, AnAbsurdFatSizeInTheHeaderIsRefused)
{
    Layout layout;
    putU32(layout.bytes, 0x2C, 0xFFFFFFFF);
    EXPECT_EQ(
        withoutFolder(messageFor(layout.bytes)),
        expected("its compound-file header is damaged (4294967295 FAT sectors in a file of 17 sectors)"));
}

TEST(BrokenWorkbook, ARecordRunningPastTheStreamIsFound)
{
    Layout layout;
    layout.bytes[layout.streamStart() + 2] = '\xFF';
    layout.bytes[layout.streamStart() + 3] = '\xFF';
    EXPECT_EQ(
        withoutFolder(messageFor(layout.bytes)),
        expected("its workbook stream is damaged (record 0x0809 at offset 0 runs past the stream's end)"));
}

TEST(BrokenWorkbook, AnOlderExcelFormatIsNamed)
{
    Layout layout;
    layout.bytes[layout.streamStart()] = '\x09';
    layout.bytes[layout.streamStart() + 1] = '\x04'; // BIFF4's BOF
    EXPECT_EQ(withoutFolder(messageFor(layout.bytes)),
              expected("it is in an Excel format older than Excel 5.0"));
}

TEST(BrokenWorkbook, ASheetOffsetOutsideTheStreamIsFound)
{
    Layout layout;
    // The first BOUNDSHEET record's offset field.
    putU32(layout.bytes, layout.findRecord(layout.streamStart(), 0x0085) + 4, 0x00FFFFFF);
    EXPECT_EQ(withoutFolder(messageFor(layout.bytes)),
              expected("its workbook stream is damaged (a sheet begins past the stream's end)"));
}

TEST(BrokenWorkbook, ACellRightOfColumnIvIsFound)
{
    Layout layout;
    ASSERT_EQ(layout.bytes.substr(layout.firstSheet(), 2), std::string("\x09\x08", 2));
    const std::size_t at = layout.findRecord(layout.firstSheet(), 0x00FD); // the first LABELSST
    layout.bytes[at + 6] = '\x2C';                                         // column 300
    layout.bytes[at + 7] = '\x01';
    EXPECT_EQ(withoutFolder(messageFor(layout.bytes)),
              expected("its workbook stream is damaged (a cell lies right of the last column, IV)"));
}

// A MULRK record's numbers go to the table as one run: its last column is
// checked too, to the column.
TEST(BrokenWorkbook, AMulRkRunReachingPastColumnIvIsFound)
{
    for (const int firstColumn : {253, 254}) {
        Layout layout;
        const std::size_t at = layout.findRecord(layout.firstSheet(), 0x00BD); // the first MULRK
        ASSERT_EQ(layout.bytes.substr(at + 2, 2), std::string("\x18\x00", 2)); // three numbers
        layout.bytes[at + 6] = static_cast<char>(firstColumn);
        EXPECT_EQ(withoutFolder(messageFor(layout.bytes)),
                  firstColumn == 253
                      ? std::string("opened")
                      : expected("its workbook stream is damaged (a cell lies right of the last column, IV)"))
            << firstColumn;
    }
}

// Cut anywhere, the file either gives the data layer's message or, where
// only unused padding was cut, reads exactly as the whole file does.
TEST(BrokenWorkbook, TruncatedAtAnyOffsetGivesAClearMessage)
{
    const std::string whole = testing_support::readBytes(testing_support::dataPath("Mixed.xls"));
    const auto complete = openFixture("Mixed.xls");
    TempDir dir;
    const std::string path = dir.file("cut.xls");
    for (std::size_t size = 0; size < whole.size(); size += (size % 512 == 0 ? 1 : 61)) {
        testing_support::writeBytes(path, whole.substr(0, size));
        try {
            const auto book = workbook::openWorkbookFile(path, kUtf8, chineseSettings());
            ASSERT_EQ(book->tables().size(), complete->sheets().size()) << size;
            for (std::size_t s = 0; s < complete->sheets().size(); ++s)
                EXPECT_EQ(tableTexts(book->table(s)), tableTexts(*complete->sheets()[s].table)) << size;
        } catch (const common::Error& error) {
            EXPECT_EQ(std::string(error.what()).rfind("Cannot open the workbook \"" + path + "\": ", 0), 0u)
                << size << ": " << error.what();
        }
    }
}

} // namespace
