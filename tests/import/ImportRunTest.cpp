// The import run end to end over a scripted host: which lines reach which
// record files, what the host is told, and where a run stops.
#include "import/ImportRun.h"

#include "common/ErrorWhere.h"
#include "import/ImportRunFixture.h"
#include "import/ImportTestSupport.h"
#include "support/SystemTexts.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace importer;
using import_test::kExampleRecord;
using testing_support::Failure;
using testing_support::nativePath;
using testing_support::readBytes;
using testing_support::systemText;
using testing_support::TempDir;
using testing_support::writeBytes;
namespace fs = std::filesystem;

namespace {

// The host's texts in GBK, written out by hand.
const std::string kConvertingGbk = "\xD5\xFD\xD4\xDA\xD7\xAA\xBB\xBB:";
const std::string kDoneGbk = "\xD7\xAA\xBB\xBB\xCD\xEA\xB3\xC9";
const std::string kFolderMissingGbk =
    "\xD7\xD4\xB6\xA8\xD2\xE5\xCA\xFD\xBE\xDD\xC2\xB7\xBE\xB6\xB2\xBB\xB4\xE6\xD4\xDA";

using import_test::FakeHost;
using import_test::ImportRunTest;
using import_test::kLine;

} // namespace

TEST_F(ImportRunTest, WorkedExampleGoesToTheFileOfTheChosenProgram)
{
    for (auto [target, extension] :
         {std::pair{ImportTarget::FeiHu, ".adt"}, {ImportTarget::DaZhiHui, ".dat"}}) {
        FakeHost fresh;
        fresh.targets = {target};
        host = fresh;
        fs::remove_all(m_cd + "/PE");
        std::string entry = input(std::string("x") + extension + "/PE.txt", kLine + "\r\n");
        runImport(options, host);
        EXPECT_EQ(record(std::string("PE/SH600000") + extension), kExampleRecord);
        EXPECT_EQ(host.progressTexts, (std::vector<std::string>{kConvertingGbk + entry, kDoneGbk}));
        EXPECT_EQ(host.lines, 1);
        EXPECT_EQ(fs::current_path(), fs::path(m_cd));
    }
}

TEST_F(ImportRunTest, AnEmptyListTouchesNothingAndReportsDone)
{
    runImport(options, host);
    EXPECT_EQ(host.progressTexts, std::vector<std::string>{kDoneGbk});
    EXPECT_EQ(fs::current_path(), m_oldFolder);
    EXPECT_TRUE(fs::is_empty(m_cd));
}

TEST_F(ImportRunTest, AMissingCustomDataFolderOnlyShowsTheMessage)
{
    input("PE.txt", kLine);
    writeBytes(m_dir.file("file"), "");
    for (const std::string& folder : {std::string(), m_dir.file("none"), m_dir.file("file")}) {
        host.messages.clear();
        options.customDataFolder = folder;
        runImport(options, host);
        EXPECT_EQ(host.messages, std::vector<std::string>{kFolderMissingGbk}) << folder;
        EXPECT_TRUE(host.progressTexts.empty());
        EXPECT_EQ(fs::current_path(), m_oldFolder);
    }
}

TEST_F(ImportRunTest, LinesGoToTheirCodesInLineOrderAndACodeComingBackIsReopened)
{
    input("PE.txt", "A\t2008-01-15\t12.5\nA\t1969-12-31\t-3.75\nB\t2008-01-15\t12.5\nA\t2008-01-15\t12.5\n");
    runImport(options, host);
    const std::string negative = import_test::bytes({0x80, 0xAE, 0xFE, 0xFF, 0x00, 0x00, 0x70, 0xC0});
    EXPECT_EQ(record("PE/A.adt"), kExampleRecord + negative + kExampleRecord);
    EXPECT_EQ(record("PE/B.adt"), kExampleRecord);
}

TEST_F(ImportRunTest, TheTargetIsReadAnewForEveryLine)
{
    input("PE.txt", kLine + "\n" + kLine + "\n" + kLine + "\n");
    host.targets = {ImportTarget::FeiHu, ImportTarget::DaZhiHui, ImportTarget::FeiHu};
    runImport(options, host);
    EXPECT_EQ(record("PE/SH600000.adt"), kExampleRecord + kExampleRecord);
    EXPECT_EQ(record("PE/SH600000.dat"), kExampleRecord);
}

TEST_F(ImportRunTest, LinesThatDoNotParseAreSkippedWithoutTraceAndTheHostToldWhy)
{
    // Dates whose seconds count 32 bits cannot carry are skipped too; the
    // counts just inside either end are written.
    input("PE.txt", "SH600000\nSH600000\t2008-01-15\nSH600000\t2008-13-15\t1\nSH600000\t2008-01-15\tx\n\n"
                    "SH600000\t2008-01-15\t1\t2\n\t\t\nSH600000\t20080115\t1\nSH600000\t9999-12-31\t1\n"
                    "SH600000\t1900-01-01\t1\nA\t1901-12-13 20:45:51\t1\nA\t2106-02-07 06:28:16\t1\n"
                    "B\t1901-12-13 20:45:52\t1\nB\t2106-02-07 06:28:15\t1\n");
    runImport(options, host);
    EXPECT_EQ(host.lines, 14);
    EXPECT_TRUE(host.messages.empty());
    using enum SkipReason;
    EXPECT_EQ(host.skipped, (std::vector<std::pair<SkipReason, std::size_t>>{{NoSecondTab, 1},
                                                                             {NoSecondTab, 2},
                                                                             {DateNotParsed, 3},
                                                                             {ValueNotNumber, 4},
                                                                             {NoSecondTab, 5},
                                                                             {ValueNotNumber, 6},
                                                                             {DateNotParsed, 7},
                                                                             {DateNotParsed, 8},
                                                                             {DateOutOfRange, 9},
                                                                             {DateOutOfRange, 10},
                                                                             {DateOutOfRange, 11},
                                                                             {DateOutOfRange, 12}}));
    EXPECT_EQ(std::distance(fs::directory_iterator(m_cd + "/PE"), {}), 1);
    EXPECT_EQ(record("PE/B.adt"), import_test::bytes({0x00, 0x00, 0x00, 0x80, 0x00, 0x00, 0x80, 0x3F, 0xFF,
                                                      0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x80, 0x3F}));
}

TEST_F(ImportRunTest, ALineLongerThanOneMebibyteIsSkippedAndTheRunGoesOn)
{
    std::string fits = kLine;
    fits.resize(kMaxQuoteLineLength, ' '); // spaces after a number are allowed
    input("PE.txt", fits + "\r\n" + std::string(kMaxQuoteLineLength + 1, '1') + "\r\n" + kLine + "\r\n");
    runImport(options, host);
    EXPECT_EQ(record("PE/SH600000.adt"), kExampleRecord + kExampleRecord);
    EXPECT_EQ(host.skipped, (std::vector<std::pair<SkipReason, std::size_t>>{{SkipReason::LineTooLong, 2}}));
}

TEST_F(ImportRunTest, DateFieldsFollowTheLocaleSettings)
{
    struct Case {
        const char* line;
        char dateSeparator;
        std::string bytes; // empty: skipped
    } cases[] = {
        {"A\t2008/01/15\t12.5", '/', kExampleRecord},
        {"A\t2008-01-15 09:30:00\t1", '/',
         import_test::bytes({0x18, 0x7D, 0x8C, 0x47, 0x00, 0x00, 0x80, 0x3F})},
        {"A\t2008-01-15\t12.5", '-', ""},
    };
    for (const Case& c : cases) {
        fs::remove_all(m_cd + "/PE");
        host.entries.clear();
        host.currentSettings.dateSeparator = c.dateSeparator;
        input("PE.txt", c.line);
        runImport(options, host);
        EXPECT_EQ(has("PE/A.adt") ? record("PE/A.adt") : "", c.bytes) << c.line;
    }
}

TEST_F(ImportRunTest, SettingsChangedDuringTheRunApplyFromTheNextLine)
{
    input("PE.txt", "A\t2008-01-15\t12.5\nA\t2008-01-15\t12,5\n");
    host.onLine = [&](int line) {
        if (line == 1)
            host.currentSettings.decimalSeparator = ',';
    };
    runImport(options, host);
    EXPECT_EQ(record("PE/A.adt"), kExampleRecord + kExampleRecord);
}

TEST_F(ImportRunTest, AnEmptyCodeWritesTheFileNamedByTheExtension)
{
    input("PE.txt", "\t2008-01-15\t12.5");
    runImport(options, host);
    EXPECT_EQ(record("PE/.adt"), kExampleRecord);
}

TEST_F(ImportRunTest, FilesSharingANameOrListedTwiceAppendToTheSameRecords)
{
    std::string first = input("x/PE.txt", kLine);
    input("y/PE.txt", kLine);
    host.entries.push_back(first);
    runImport(options, host);
    EXPECT_EQ(record("PE/SH600000.adt"), kExampleRecord + kExampleRecord + kExampleRecord);
}

TEST_F(ImportRunTest, ANameOfFourCharactersOrLessFailsAtTheFolderCreation)
{
    input("a.tx", kLine);
    EXPECT_EQ(runFailure(), "Invalid filename");
    EXPECT_TRUE(host.progressTexts.empty());
    EXPECT_TRUE(fs::is_empty(m_cd));
}

TEST_F(ImportRunTest, AMissingInputFileStopsTheRunAndKeepsEarlierRecords)
{
    std::string first = input("PE.txt", kLine);
    host.entries.push_back(m_dir.file("EPS.txt"));
    EXPECT_EQ(runFailure(), "File not found");
    EXPECT_EQ(record("PE/SH600000.adt"), kExampleRecord);
    EXPECT_TRUE(has("EPS"));
    EXPECT_EQ(host.progressTexts, std::vector<std::string>{kConvertingGbk + first});
}

TEST_F(ImportRunTest, AListThatShrinksDuringTheRunEndsWithListIndexOutOfBounds)
{
    input("PE.txt", kLine);
    input("EPS.txt", kLine);
    host.onLine = [&](int) { host.entries.pop_back(); };
    EXPECT_EQ(runFailure(), "List index out of bounds (1)");
    EXPECT_EQ(record("PE/SH600000.adt"), kExampleRecord);
}

TEST_F(ImportRunTest, NamesThatWouldLeaveTheDataNameFolderAreRefusedWith123)
{
    const std::string lines[] = {"../SH600000\t2008-01-15\t1", "x/SH600000\t2008-01-15\t1",
                                 std::string("SH600000\0x", 10) + "\t2008-01-15\t1"};
    for (const std::string& line : lines) {
        host.entries.clear();
        input("PE.txt", line);
        EXPECT_EQ(runFailure(), "I/O error 123");
    }
    // "...txt" and "..txt" lose four characters to ".." and ".".
    for (const char* name : {"...txt", "..txt"}) {
        host.entries.clear();
        input(name, kLine);
        EXPECT_EQ(runFailure(), "I/O error 123") << name;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(m_cd), {}), 1); // PE, left empty
    EXPECT_TRUE(fs::is_empty(m_cd + "/PE"));
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir.path()), {}), 4); // cd, PE.txt, ...txt, ..txt
}

TEST_F(ImportRunTest, AValueBeyondSinglePrecisionEndsTheRunAfterEarlierRecords)
{
    input("PE.txt", kLine + "\nSH600000\t2008-01-15\t1e39\n" + kLine);
    EXPECT_EQ(runFailure(), "Floating point overflow");
    EXPECT_EQ(record("PE/SH600000.adt"), kExampleRecord);
}

TEST_F(ImportRunTest, CountsWhatItDidAndWhyLinesGaveNoRecord)
{
    fs::create_directory(m_cd + "/PE");
    writeBytes(m_cd + "/PE/A.adt", kExampleRecord); // there before: extended, once
    input("x/PE.txt", "A\t2008-01-15\t1\nB\t2008-01-15\t1\nA\t2008-01-16\t1\nbad\nA\tx\t1\n");
    input("y/PE.txt", "B\t2008-01-17\t1\nC\t1800-01-01\t1\nC\t2008-01-15\tx\n");
    ImportCounts counts;
    runImport(options, host, counts);
    EXPECT_EQ(counts.inputFiles, 2u);
    EXPECT_EQ(counts.linesRead, 8u);
    EXPECT_EQ(counts.recordsAppended, 4u);
    EXPECT_EQ(counts.recordFilesCreated, 1u); // B, made by line 2 and reopened later
    EXPECT_EQ(counts.recordFilesExtended, 1u);
    EXPECT_EQ(counts.skippedFor(SkipReason::NoSecondTab), 1u);
    EXPECT_EQ(counts.skippedFor(SkipReason::DateNotParsed), 1u);
    EXPECT_EQ(counts.skippedFor(SkipReason::DateOutOfRange), 1u);
    EXPECT_EQ(counts.skippedFor(SkipReason::ValueNotNumber), 1u);
    EXPECT_EQ(counts.faultyLines(), 4u);
}

// A day imported twice adds nothing; a run repeated after an error adds
// only what is missing; a time repeated within the input goes in once.
TEST_F(ImportRunTest, SkipExistingLeavesOutTimesTheRecordFileHolds)
{
    options.skipExisting = true;
    // Out of order and with an incomplete record at the end: times are read all the same.
    fs::create_directory(m_cd + "/PE");
    writeBytes(m_cd + "/PE/A.adt", import_test::bytes({0x00, 0x49, 0x8D, 0x47, 0, 0, 0x80, 0x3F}) +
                                       kExampleRecord + "\x01\x02\x03");
    input("PE.txt", "A\t2008-01-15\t1\nA\t2008-01-16\t1\nA\t2008-01-17\t2\nB\t2008-01-15\t12.5\n"
                    "B\t2008-01-15\t3\nA\t2008-01-15\t5\n");
    ImportCounts counts;
    runImport(options, host, counts);
    EXPECT_EQ(counts.recordsAppended, 2u); // A 01-17 and B 01-15
    EXPECT_EQ(counts.skippedFor(SkipReason::AlreadyInRecordFile), 4u);
    EXPECT_EQ(counts.faultyLines(), 0u);
    EXPECT_EQ(record("PE/B.adt"), kExampleRecord);
    EXPECT_EQ(record("PE/A.adt").size(), 24u); // the third record over the incomplete one
    using enum SkipReason;
    EXPECT_EQ(host.skipped, (std::vector<std::pair<SkipReason, std::size_t>>{{AlreadyInRecordFile, 1},
                                                                             {AlreadyInRecordFile, 2},
                                                                             {AlreadyInRecordFile, 5},
                                                                             {AlreadyInRecordFile, 6}}));

    ImportCounts again;
    runImport(options, host, again);
    EXPECT_EQ(again.recordsAppended, 0u);
    EXPECT_EQ(again.skippedFor(SkipReason::AlreadyInRecordFile), 6u);
    EXPECT_EQ(record("PE/B.adt"), kExampleRecord);
}

TEST_F(ImportRunTest, AnErrorSaysWhereItHappened)
{
    const std::string entry =
        input("PE.txt", kLine + "\nB\t2008-01-15\t1\n" + kLine + "\nC\t2008-01-15\t1e39\n");
    fs::create_directories(m_cd + "/PE/B.adt"); // a folder where the record file goes
    const auto where = [this] {
        try {
            runImport(options, host);
        } catch (const common::Error& error) {
            return common::describeError(error);
        }
        return std::string(testing_support::kNoError);
    };
    EXPECT_EQ(where(), entry + ":2: cannot open " + m_cd + nativePath("/PE/B.adt") + ": " +
                           systemText(Failure::Folder) + " (File access denied)");
    fs::remove(m_cd + "/PE/B.adt");
    EXPECT_EQ(where(), entry + ":4: Floating point overflow");
    host.entries = {m_dir.file("gone.txt")};
    EXPECT_EQ(where(), "cannot open " + m_dir.file("gone.txt") + ": " + systemText(Failure::MissingFile) +
                           " (File not found)");
    fs::remove(m_cd + "/gone"); // made before the input was found missing
    writeBytes(m_cd + "/gone", "");
    EXPECT_EQ(where(), m_dir.file("gone.txt") + ": cannot make folder " + m_cd + nativePath("/gone") + ": " +
                           systemText(Failure::Exists) + " (I/O error 183)");
}
