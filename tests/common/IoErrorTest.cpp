// The I/O error table and the Windows codes that real failing calls produce.
#include "common/IoError.h"

#include "common/ErrorText.h"
#include "common/FileSystem.h"
#include "common/TextFileReader.h"
#include "support/TestSupport.h"
#include "support/Unprivileged.h"

#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using testing_support::TempDir;
using testing_support::writeBytes;

namespace {

TEST(IoError, MessagesFollowTheCodeTable)
{
    const struct {
        int code;
        const char* message;
    } cases[] = {
        {2, "File not found"},
        {3, "Invalid filename"},
        {4, "Too many open files"},
        {5, "File access denied"},
        {100, "Read beyond end of file"},
        {101, "Disk full"},
        {106, "Invalid numeric input"},
        {32, "I/O error 32"},
        {103, "I/O error 103"},
        {112, "I/O error 112"},
        {123, "I/O error 123"},
        {183, "I/O error 183"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(common::ioErrorMessage(c.code), c.message) << c.code;
        const common::Error error = common::ioError(c.code);
        EXPECT_EQ(error.kind(), common::Error::Kind::Io);
        EXPECT_EQ(error.ioCode(), c.code);
        EXPECT_STREQ(error.what(), c.message);
    }
}

TEST(IoError, ErrnoValuesMapToWindowsCodes)
{
    const struct {
        int errnoValue;
        int code;
    } cases[] = {
        {ENOTDIR, 3},  {EEXIST, 183}, {EACCES, 5}, {EPERM, 5},    {EROFS, 5},
        {EISDIR, 5},   {EMFILE, 4},   {ENFILE, 4}, {ENOSPC, 112}, {EDQUOT, 112},
        {EINVAL, 123}, {EILSEQ, 123}, {EBUSY, 32}, {ETXTBSY, 32}, {ENAMETOOLONG, 206},
    };
    for (const auto& c : cases)
        EXPECT_EQ(common::windowsCodeFromErrno(c.errnoValue, "x"), c.code) << c.errnoValue;
}

TEST(IoError, MissingEntryIsAMissingFileOnlyWhenItsFolderExists)
{
    TempDir dir;
    EXPECT_EQ(common::windowsCodeFromErrno(ENOENT, dir.file("missing.txt")), 2);
    EXPECT_EQ(common::windowsCodeFromErrno(ENOENT, dir.file("nofolder/missing.txt")), 3);
    EXPECT_EQ(common::windowsCodeFromErrno(ENOENT, "bare-name-in-current-folder"), 2);
    EXPECT_EQ(common::windowsCodeFromErrno(ENOENT, ""), 3);
    EXPECT_EQ(common::windowsCodeFromErrno(ENOENT, "/no-such-top-folder/a"), 3);
}

// The codes as real failing calls produce them.
int codeOfOpening(const std::string& path)
{
    try {
        common::TextFileReader reader(path);
    } catch (const common::Error& error) {
        return error.ioCode();
    }
    return 0;
}

TEST(IoError, ReadingAMissingFileGivesCode2AndItsBoxText)
{
    TempDir dir;
    try {
        common::TextFileReader reader(dir.file("missing.txt"));
        FAIL() << "no error";
    } catch (const common::Error& error) {
        EXPECT_EQ(error.ioCode(), 2);
        EXPECT_EQ(common::errorBoxText(error.what()), "File not found.");
    }
}

TEST(IoError, RealFailuresGiveTheirCodes)
{
    TempDir dir;
    writeBytes(dir.file("plain.txt"), "x");
    EXPECT_EQ(codeOfOpening(dir.file("nofolder/a.txt")), 3);
    EXPECT_EQ(codeOfOpening(dir.file("plain.txt/a.txt")), 3); // a file where a folder should be
    EXPECT_EQ(codeOfOpening(dir.path().string()), 5);         // a folder where a file should be
}

TEST(IoError, ReadingAFileWithoutReadAccessGivesCode5)
{
    TempDir dir;
    testing_support::openToEveryone(dir.path());
    writeBytes(dir.file("locked.txt"), "x");
    ::chmod(dir.file("locked.txt").c_str(), 0);
    const int unprivileged =
        testing_support::runUnprivileged([&] { return codeOfOpening(dir.file("locked.txt")); });
    SKIP_IF_NOT_RUN(unprivileged);
    EXPECT_EQ(unprivileged, 5);
}

TEST(IoError, WritingAReadOnlyFileGivesCode5)
{
    TempDir dir;
    testing_support::openToEveryone(dir.path());
    writeBytes(dir.file("ro.dat"), "12345678");
    ::chmod(dir.file("ro.dat").c_str(), 0444);
    const std::string path = dir.file("ro.dat");
    const int unprivileged = testing_support::runUnprivileged([&] {
        const int fd = ::open(path.c_str(), O_WRONLY);
        return fd >= 0 ? 0 : common::windowsCodeFromErrno(errno, path);
    });
    SKIP_IF_NOT_RUN(unprivileged);
    EXPECT_EQ(unprivileged, 5);
}

TEST(IoError, MakingAFolderOverAFileGives183AndItsBoxText)
{
    TempDir dir;
    writeBytes(dir.file("taken"), "x");
    try {
        common::makeFolder(dir.file("taken"));
        FAIL() << "no error";
    } catch (const common::Error& error) {
        EXPECT_EQ(error.ioCode(), 183);
        EXPECT_EQ(common::errorBoxText(error.what()), "I/O error 183.");
    }
}

TEST(IoError, ThrowLastIoErrorUsesTheCurrentErrno)
{
    TempDir dir;
    errno = 0;
    const int fd = ::open(dir.file("missing").c_str(), O_RDONLY);
    ASSERT_LT(fd, 0);
    try {
        common::throwLastIoError(dir.file("missing"));
    } catch (const common::Error& error) {
        EXPECT_EQ(error.ioCode(), 2);
        return;
    }
    FAIL() << "no error";
}

} // namespace
