// What only the Win32 half of the file layer does, run under Wine with code
// page 936: the sharing rules between programs, the names the system refuses
// or treats specially, GBK names whose trail byte is "\", the system's own
// codes and descriptions, and the settings of a Chinese locale. The system's
// wording is never spelt out here: Wine's differs from Windows'.
#include "common/CodePage.h"
#include "common/Error.h"
#include "common/FileNames.h"
#include "common/FileRead.h"
#include "common/FileReplace.h"
#include "common/FileSystem.h"
#include "common/LineList.h"
#include "common/RecordFile.h"
#include "common/RegionalSettings.h"
#include "common/TextFileReader.h"
#include "common/platform/WinApi.h"
#include "support/TestSupport.h"
#include "support/WindowsProcess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <optional>
#include <thread>

using testing_support::errorOf;
using testing_support::ioCodeOf;
using testing_support::readBytes;
using testing_support::TempDir;
using testing_support::writeBytes;

namespace {

// 誠 in GBK: its trail byte has the value of "\".
const std::string kCheng = "\xD5\x5C";

std::string systemText(DWORD code)
{
    return common::win::systemErrorText(code);
}

TEST(WindowsFiles, ATextFileHeldForWritingByAnotherProgramIsRefusedWith32)
{
    TempDir dir;
    const std::string path = dir.file("held.txt");
    writeBytes(path, "SH600000\t2008-01-15\t12.5\r\n");
    {
        testing_support::FileHolder holder(path);
        ASSERT_TRUE(holder.holds());
        // Text files share with readers only...
        EXPECT_EQ(ioCodeOf([&] { common::TextFileReader reader(path); }), 32);
        EXPECT_EQ(ioCodeOf([&] { common::readWholeFile(path); }), 32);
        EXPECT_EQ(errorOf([&] { common::loadLineList(path); }),
                  "Cannot open file \"" + path + "\". " + systemText(ERROR_SHARING_VIOLATION));
        // ...record files with writers too.
        common::RecordFile record(8);
        EXPECT_EQ(ioCodeOf([&] { record.openExisting(path); }), 0);
        record.close();
    }
    common::TextFileReader reader(path);
    EXPECT_EQ(reader.readLine(), "SH600000\t2008-01-15\t12.5");
}

TEST(WindowsFiles, AFileOpenForLineReadingCanBeReadButNotWrittenByOthers)
{
    TempDir dir;
    const std::string path = dir.file("open.txt");
    writeBytes(path, "x\r\n");
    common::TextFileReader reader(path);
    common::win::FileHandle other(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    EXPECT_TRUE(other.isOpen());
    SetLastError(0);
    common::win::FileHandle writer(CreateFileA(path.c_str(), GENERIC_WRITE,
                                               FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                               FILE_ATTRIBUTE_NORMAL, nullptr));
    EXPECT_FALSE(writer.isOpen());
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
}

TEST(WindowsFiles, WildcardsInANameAreRefusedWith123)
{
    TempDir dir;
    for (const char* name : {"a*.txt", "a?.txt"}) {
        const std::string path = dir.file(name);
        EXPECT_EQ(ioCodeOf([&] { common::TextFileReader reader(path); }), 123) << name;
        common::RecordFile record(8);
        EXPECT_EQ(ioCodeOf([&] { record.openOrCreate(path); }), 123) << name;
        EXPECT_EQ(errorOf([&] { common::saveLineList(path, {"x"}); }),
                  "Cannot create file \"" + path + "\". " + systemText(ERROR_INVALID_NAME))
            << name;
    }
    EXPECT_EQ(testing_support::entryCount(dir.path()), 0u);
}

TEST(WindowsFiles, AGbkNameWhoseTrailByteIsABackslashStaysOneName)
{
    TempDir dir;
    const common::CodePage gbk(936);
    const std::string list = dir.file(kCheng + ".txt");
    common::saveLineList(list, {kCheng});
    EXPECT_EQ(common::loadLineList(list), std::vector<std::string>{kCheng});
    EXPECT_EQ(common::namePart(list, gbk), kCheng + ".txt");
    EXPECT_FALSE(common::isUnsafeEntryName(kCheng, gbk));
    common::makeFolder(dir.file(kCheng));
    common::RecordFile record(8);
    record.openOrCreate(dir.file(kCheng + "/" + kCheng + ".dat"));
    record.append("12345678");
    record.close();
    EXPECT_EQ(readBytes(dir.file(kCheng + "/" + kCheng + ".dat")), "12345678");
    // The listing gives the names back as they were written, and nothing
    // named after the lead byte alone came into being.
    std::vector<std::string> names;
    for (const common::FolderEntry& entry : common::listFolder(dir.path().string()))
        names.push_back(entry.name);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{".", "..", kCheng, kCheng + ".txt"}));
    EXPECT_TRUE(common::folderExists(dir.file(kCheng)));
    EXPECT_TRUE(common::fileExists(list));
}

TEST(WindowsFiles, DriveRelativeNamesResolveAgainstTheDrivesCurrentFolder)
{
    TempDir dir;
    const std::string saved = common::currentFolder();
    common::changeCurrentFolder(dir.path().string());
    const std::string drive = dir.path().string().substr(0, 2); // "C:"
    EXPECT_FALSE(common::isAbsolutePath(drive + "rel.txt"));
    EXPECT_EQ(common::fullPathName(drive + "rel.txt"), dir.file("rel.txt"));
    common::saveLineList(drive + "rel.txt", {"x"});
    // A name that starts at the drive's root is not absolute either.
    EXPECT_FALSE(common::isAbsolutePath("\\x.txt"));
    EXPECT_EQ(common::fullPathName("\\x.txt"), drive + "\\x.txt");
    common::changeCurrentFolder(saved);
    EXPECT_EQ(readBytes(dir.file("rel.txt")), "x\r\n");
}

TEST(WindowsFiles, AUncNameOfAMissingServerFailsWithAnIoError)
{
    const std::string unc = "\\\\no-such-server.invalid\\share\\x.txt";
    EXPECT_TRUE(common::isAbsolutePath(unc));
    EXPECT_EQ(common::fullPathName(unc), unc);
    // Wine says 3; Windows says 53 or 67 (no such network path or name).
    const int code = ioCodeOf([&] { common::TextFileReader reader(unc); });
    EXPECT_TRUE(code == 3 || code == 53 || code == 67) << code;
    EXPECT_FALSE(common::fileExists(unc));
}

TEST(WindowsFiles, TheFileCreateErrorQuotesTheSystemsDescription)
{
    TempDir dir;
    const std::string path = dir.file("none/list.txt");
    const std::string text = systemText(ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(errorOf([&] { common::saveLineList(path, {"x"}); }),
              "Cannot create file \"" + path + "\". " + text);
    // The system's words, in its language and code page (GBK here), without
    // the line break and period that FormatMessage ends them with.
    ASSERT_FALSE(text.empty());
    EXPECT_TRUE(
        std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }));
    EXPECT_EQ(std::string("\r\n. ").find(text.back()), std::string::npos);
}

TEST(WindowsFiles, AnExistingFolderIs183AndAFolderIsNoFile)
{
    TempDir dir;
    common::makeFolder(dir.file("sub"));
    try {
        common::makeFolder(dir.file("sub"));
        ADD_FAILURE() << "no error";
    } catch (const common::Error& error) {
        EXPECT_EQ(error.ioCode(), 183);
        EXPECT_STREQ(error.what(), "I/O error 183");
        EXPECT_EQ(error.systemText(), systemText(ERROR_ALREADY_EXISTS));
    }
    EXPECT_EQ(ioCodeOf([&] { common::TextFileReader reader(dir.file("sub")); }), 5);
    common::RecordFile record(8);
    EXPECT_EQ(ioCodeOf([&] { record.openOrCreate(dir.file("sub")); }), 5);
}

TEST(WindowsFiles, NamesOf260BytesOrMoreAreRefusedWith206)
{
    TempDir dir;
    const std::string base = dir.file("");
    const std::string longest = base + std::string(259 - base.size(), 'a');
    const std::string tooLong = longest + "a";
    ASSERT_EQ(tooLong.size(), 260u);
    common::RecordFile record(8);
    EXPECT_EQ(ioCodeOf([&] { common::TextFileReader reader(tooLong); }), 206);
    EXPECT_EQ(ioCodeOf([&] { record.openOrCreate(tooLong); }), 206);
    EXPECT_EQ(ioCodeOf([&] { common::makeFolder(tooLong); }), 206);
    EXPECT_EQ(errorOf([&] { common::saveLineList(tooLong, {"x"}); }),
              "Cannot create file \"" + tooLong + "\". " + systemText(ERROR_FILENAME_EXCED_RANGE));
    EXPECT_FALSE(common::fileExists(tooLong));
    EXPECT_NE(ioCodeOf([&] { common::TextFileReader reader(longest); }), 206);
}

TEST(WindowsFiles, SavingOverAReadOnlyFileFailsAndKeepsItAndAReplaceKeepsAttributes)
{
    TempDir dir;
    const std::string readOnly = dir.file("ro.txt");
    writeBytes(readOnly, "old\r\n");
    ASSERT_TRUE(SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(common::isReadOnlyFile(readOnly));
    EXPECT_EQ(errorOf([&] { common::saveLineList(readOnly, {"new"}); }),
              "Cannot create file \"" + readOnly + "\". " + systemText(ERROR_ACCESS_DENIED));
    EXPECT_EQ(readBytes(readOnly), "old\r\n");
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);

    const std::string hidden = dir.file("hidden.txt");
    writeBytes(hidden, "old\r\n");
    ASSERT_TRUE(SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN));
    common::saveLineList(hidden, {"new"});
    EXPECT_EQ(readBytes(hidden), "new\r\n");
    EXPECT_NE(GetFileAttributesA(hidden.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
    EXPECT_EQ(testing_support::entryCount(dir.path()), 2u); // no temporary left behind
}

TEST(WindowsFiles, AReadOnlyRecordFileIsRefusedWith5)
{
    TempDir dir;
    const std::string path = dir.file("ro.dat");
    writeBytes(path, "12345678");
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    {
        // Wine run as root opens it all the same, as the root user may.
        common::win::FileHandle probe(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (probe.isOpen()) {
            probe.reset();
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            GTEST_SKIP() << "this system lets a read-only file be written (Wine as root)";
        }
    }
    common::RecordFile record(8);
    EXPECT_EQ(ioCodeOf([&] { record.openExisting(path); }), 5);
    EXPECT_EQ(ioCodeOf([&] { record.openOrCreate(path); }), 5);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(readBytes(path), "12345678");
}

TEST(WindowsFiles, AnAppendWaitsWhileAnotherWriterHoldsTheAppendLock)
{
    // Wine writes "to the end of the file" at the length its process saw
    // last: only this lock keeps two processes' records apart. It is one
    // byte far past any data, so that readers are never held up.
    TempDir dir;
    const std::string path = dir.file("SH600000.adt");
    common::RecordFile record(8);
    record.openOrCreate(path);
    common::win::FileHandle other(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                              FILE_ATTRIBUTE_NORMAL, nullptr));
    OVERLAPPED lockAt{};
    lockAt.OffsetHigh = 0x7FFFFFFF;
    ASSERT_TRUE(
        LockFileEx(other.get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &lockAt));
    std::atomic<int> appended{0};
    std::thread writer([&] { appended = ioCodeOf([&] { record.append("12345678"); }) == 0 ? 1 : -1; });
    Sleep(300);
    EXPECT_EQ(appended.load(), 0);
    EXPECT_EQ(readBytes(path), "");
    UnlockFileEx(other.get(), 0, 1, 0, &lockAt);
    writer.join();
    EXPECT_EQ(appended.load(), 1);
    EXPECT_EQ(readBytes(path), "12345678");
}

TEST(WindowsFiles, TheReplaceLockIsTheFoldersHoweverItIsSpelled)
{
    TempDir dir;
    common::makeFolder(dir.file("sub"));
    writeBytes(dir.file("a.xls"), "a");
    std::optional<common::ReplaceLock> first(std::in_place, dir.file("a.xls"));
    ASSERT_TRUE(first->held());
    EXPECT_FALSE(common::ReplaceLock(dir.file("sub/../b.xls"), 50).held());
    EXPECT_TRUE(common::ReplaceLock(dir.file("sub/c.xls"), 50).held());
    first.reset();
    EXPECT_TRUE(common::ReplaceLock(dir.file("sub/../b.xls"), 50).held());
}

TEST(WindowsFiles, TemporariesOfAReplaceWhoseWriterIsGoneAreRemoved)
{
    // Named as on POSIX: a hash of the target's name, the writer's process
    // id, a counter. A process id no process has is a writer that is gone;
    // a running writer's temporary and another target's are left alone.
    TempDir dir;
    const std::string path = dir.file("PE.txt");
    writeBytes(path, "old");
    testing_support::FileHolder running(dir.file("held.dat"));
    ASSERT_TRUE(running.holds());
    const std::string stale = dir.file(common::detail::temporaryName("PE.txt", 4000000000ul, 0));
    const std::string busy = dir.file(common::detail::temporaryName("PE.txt", running.processId(), 0));
    const std::string other = dir.file(common::detail::temporaryName("PF.txt", 4000000000ul, 0));
    for (const std::string& name : {stale, busy, other})
        writeBytes(name, "a whole copy");
    ASSERT_EQ(common::replaceFile(path, "new"), std::nullopt);
    EXPECT_FALSE(common::fileExists(stale));
    EXPECT_TRUE(common::fileExists(busy));
    EXPECT_TRUE(common::fileExists(other));
    EXPECT_EQ(readBytes(path), "new");
}

TEST(WindowsFiles, HiddenAndSystemEntriesAreListed)
{
    TempDir dir;
    writeBytes(dir.file("h.txt"), "");
    writeBytes(dir.file("s.txt"), "");
    SetFileAttributesA(dir.file("h.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesA(dir.file("s.txt").c_str(), FILE_ATTRIBUTE_SYSTEM);
    std::vector<std::string> names;
    for (const common::FolderEntry& entry : common::listFolder(dir.path().string()))
        names.push_back(entry.name);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{".", "..", "h.txt", "s.txt"}));
}

TEST(WindowsLocale, TheAnsiCodePageAndTheChineseSettingsComeFromTheSystem)
{
    // The test runner's Wine prefix is a Simplified Chinese system.
    const common::CodePage codePage = common::CodePage::fromLocale();
    EXPECT_EQ(codePage.number(), 936);
    for (int byte = 0; byte < 256; ++byte)
        EXPECT_EQ(codePage.isLeadByte(static_cast<unsigned char>(byte)), byte >= 0x81 && byte <= 0xFE)
            << byte;
    const common::RegionalSettings settings = common::loadUserRegionalSettings();
    EXPECT_EQ(settings.dateSeparator, '/');
    EXPECT_EQ(settings.shortDateFormat, "yyyy/M/d");
    EXPECT_EQ(settings.timeSeparator, ':');
    EXPECT_EQ(settings.decimalSeparator, '.');
    EXPECT_EQ(settings.amMarker, "\xC9\xCF\xCE\xE7"); // 上午
    EXPECT_EQ(settings.pmMarker, "\xCF\xC2\xCE\xE7"); // 下午
}

} // namespace
