// The I/O error table and the Windows codes that real failing calls produce.
#include "common/IoError.h"

#include "common/ErrorText.h"
#include "common/FileSystem.h"
#include "common/TextFileReader.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

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

} // namespace
