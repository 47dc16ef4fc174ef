// What only the POSIX half of the file layer does: errno turned into Windows
// codes, permissions (checked as an unprivileged user), modes and owners
// kept, symbolic links followed, and a disk that is full.
#include "common/CodePage.h"
#include "common/Error.h"
#include "common/FileRead.h"
#include "common/FileReplace.h"
#include "common/FileSystem.h"
#include "common/IoError.h"
#include "common/LineList.h"
#include "common/TextFileReader.h"
#include "common/platform/PosixError.h"
#include "support/SystemTexts.h"
#include "support/TestSupport.h"
#include "support/Unprivileged.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using common::CodePage;
using common::ReplaceFailure;
using testing_support::errorOf;
using testing_support::ioCodeOf;
using testing_support::readBytes;
using testing_support::TempDir;
using testing_support::writeBytes;

namespace {

int codeOfOpening(const std::string& path)
{
    return ioCodeOf([&] { common::TextFileReader reader(path); });
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
        EXPECT_EQ(common::posix::windowsCodeFromErrno(c.errnoValue, "x"), c.code) << c.errnoValue;
}

TEST(IoError, MissingEntryIsAMissingFileOnlyWhenItsFolderExists)
{
    TempDir dir;
    EXPECT_EQ(common::posix::windowsCodeFromErrno(ENOENT, dir.file("missing.txt")), 2);
    EXPECT_EQ(common::posix::windowsCodeFromErrno(ENOENT, dir.file("nofolder/missing.txt")), 3);
    EXPECT_EQ(common::posix::windowsCodeFromErrno(ENOENT, "bare-name-in-current-folder"), 2);
    EXPECT_EQ(common::posix::windowsCodeFromErrno(ENOENT, ""), 3);
    EXPECT_EQ(common::posix::windowsCodeFromErrno(ENOENT, "/no-such-top-folder/a"), 3);
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
        return fd >= 0 ? 0 : common::posix::windowsCodeFromErrno(errno, path);
    });
    SKIP_IF_NOT_RUN(unprivileged);
    EXPECT_EQ(unprivileged, 5);
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

TEST(LineList, SaveKeepsTheModeOfTheFileItReplaces)
{
    TempDir dir;
    writeBytes(dir.file("m.txt"), "old");
    ::chmod(dir.file("m.txt").c_str(), 0640);
    common::saveLineList(dir.file("m.txt"), {"new"});
    struct stat info {};
    ASSERT_EQ(::stat(dir.file("m.txt").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST(LineList, SaveThroughASymbolicLinkWritesItsTarget)
{
    TempDir dir;
    writeBytes(dir.file("real.txt"), "old");
    std::filesystem::create_symlink(dir.file("real.txt"), dir.file("link.txt"));
    common::saveLineList(dir.file("link.txt"), {"new"});
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.txt")));
    EXPECT_EQ(readBytes(dir.file("real.txt")), "new\r\n");
}

TEST(LineList, SaveInAReadOnlyFolderOverwritesAWritableFile)
{
    TempDir dir;
    testing_support::openToEveryone(dir.path());
    std::filesystem::create_directory(dir.file("ro"));
    writeBytes(dir.file("ro/list.txt"), "old old old");
    ::chmod(dir.file("ro/list.txt").c_str(), 0666);
    ::chmod(dir.file("ro").c_str(), 0555);
    const std::string refused = "Cannot create file \"" + dir.file("ro/new.txt") + "\". " +
                                testing_support::systemText(testing_support::Failure::AccessDenied);
    const int unprivileged = testing_support::runUnprivileged([&] {
        if (errorOf([&] { common::saveLineList(dir.file("ro/list.txt"), {"x"}); }) !=
            testing_support::kNoError)
            return 1;
        return errorOf([&] { common::saveLineList(dir.file("ro/new.txt"), {"x"}); }) == refused ? 0 : 2;
    });
    SKIP_IF_NOT_RUN(unprivileged);
    EXPECT_EQ(unprivileged, 0);
    EXPECT_EQ(readBytes(dir.file("ro/list.txt")), "x\r\n");
}

TEST(LineList, AFullDiskGivesStreamWriteErrorAndKeepsTheOldFile)
{
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    // /dev/full takes the open and refuses every write with ENOSPC; reached
    // through a link, the save writes it in place since /dev takes no new file.
    TempDir dir;
    testing_support::openToEveryone(dir.path());
    std::filesystem::create_symlink("/dev/full", dir.file("full"));
    const int unprivileged = testing_support::runUnprivileged([&] {
        return errorOf([&] { common::saveLineList(dir.file("full"), {"x"}); }) == common::kStreamWriteError
                   ? 0
                   : 1;
    });
    SKIP_IF_NOT_RUN(unprivileged);
    EXPECT_EQ(unprivileged, 0);
}

TEST(FileReplace, TheNewFileKeepsModeAndOwnerOfTheOldOne)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root may give a file to another user";
    TempDir dir;
    const std::string path = dir.file("list.txt");
    writeBytes(path, "old");
    ASSERT_EQ(::chown(path.c_str(), testing_support::kNobody, testing_support::kNobody), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0604), 0);
    ASSERT_FALSE(common::replaceFile(path, "new"));
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, testing_support::kNobody);
    EXPECT_EQ(info.st_gid, testing_support::kNobody);
    EXPECT_EQ(info.st_mode & 07777, 0604u);
    EXPECT_EQ(readBytes(path), "new");
}

TEST(FileReplace, AFolderThatTakesNoNewFileRefusesTheTemporaryUnlessOverwritingIsAllowed)
{
    TempDir dir;
    testing_support::openToEveryone(dir.path());
    std::filesystem::create_directory(dir.file("ro"));
    const std::string path = dir.file("ro/list.txt");
    writeBytes(path, "old old");
    ::chmod(path.c_str(), 0666);
    ::chmod(dir.file("ro").c_str(), 0555);
    const int unprivileged = testing_support::runUnprivileged([&] {
        const auto refused = common::replaceFile(path, "new");
        if (!refused || refused->step != ReplaceFailure::Step::Temporary || refused->code != 5)
            return 1;
        common::ReplaceOptions options;
        options.overwriteWhenFolderIsClosed = true;
        return common::replaceFile(path, "new", options) ? 2 : 0;
    });
    SKIP_IF_NOT_RUN(unprivileged);
    EXPECT_EQ(unprivileged, 0);
    EXPECT_EQ(readBytes(path), "new");
}

TEST(FileReplace, InPlaceAFileThatWouldNotFitKeepsItsOldBytes)
{
    // A size limit below the new length: the reservation fails before the
    // old bytes are touched. A shorter new content needs no reservation.
    TempDir dir;
    testing_support::openToEveryone(dir.path());
    std::filesystem::create_directory(dir.file("ro"));
    const std::string path = dir.file("ro/list.txt");
    const std::string old(100, 'o');
    writeBytes(path, old);
    ::chmod(path.c_str(), 0666);
    ::chmod(dir.file("ro").c_str(), 0555);
    const int unprivileged = testing_support::runUnprivileged([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{150, 150};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        common::ReplaceOptions options;
        options.overwriteWhenFolderIsClosed = true;
        const auto refused = common::replaceFile(path, std::string(200, 'n'), options);
        if (!refused || refused->step != ReplaceFailure::Step::Write)
            return 1;
        if (readBytes(path) != old)
            return 2;
        return common::replaceFile(path, "short", options) || readBytes(path) != "short" ? 3 : 0;
    });
    SKIP_IF_NOT_RUN(unprivileged);
    EXPECT_EQ(unprivileged, 0);
}

TEST(FileReplace, TemporariesThatKilledReplacesOfTheTargetLeftAreRemoved)
{
    // Named as a replace names them: a hash of the target's name, the
    // writer's process id, a counter. Those of a writer that has gone are
    // stale; a running writer's and another target's are left alone.
    TempDir dir;
    const std::string path = dir.file("PE.txt");
    writeBytes(path, "old");
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    ASSERT_EQ(common::replaceFile(path, "first"), std::nullopt);
    std::string tag;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        const std::string name = entry.path().filename().string();
        ASSERT_EQ(name, "PE.txt") << "a temporary was left: " << name;
    }
    // The tag of PE.txt as the replace makes it (FNV-1a of the name).
    std::uint32_t hash = 2166136261u;
    for (unsigned char c : std::string("PE.txt"))
        hash = (hash ^ c) * 16777619u;
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08x", hash);
    const std::string prefix = dir.file(".tarnvale-" + std::string(hex) + "-");
    const std::string stale = prefix + std::to_string(child) + "-0.tmp";
    const std::string running = prefix + std::to_string(::getppid()) + "-0.tmp";
    const std::string otherTarget = dir.file(".tarnvale-00000000-" + std::to_string(child) + "-0.tmp");
    for (const std::string& name : {stale, running, otherTarget})
        writeBytes(name, "a whole copy");
    ASSERT_EQ(common::replaceFile(path, "second"), std::nullopt);
    EXPECT_FALSE(std::filesystem::exists(stale));
    EXPECT_TRUE(std::filesystem::exists(running));
    EXPECT_TRUE(std::filesystem::exists(otherTarget));
    EXPECT_EQ(readBytes(path), "second");
}

// The size the system reports is only where reading starts: a file that
// says it is empty is still read to its end.
TEST(FileRead, AFileWhoseSizeSaysNothingIsReadToItsEnd)
{
    if (!std::filesystem::exists("/proc/self/status"))
        GTEST_SKIP() << "no /proc";
    const std::string bytes(common::readWholeFile("/proc/self/status").view());
    EXPECT_NE(bytes.find("Name:"), std::string::npos);
    EXPECT_EQ(bytes.back(), '\n');
}

TEST(CodePage, FromLocaleReadsTheCodesetOfTheUsersLocale)
{
    const char* saved = std::getenv("LC_ALL");
    const std::string savedValue = saved ? saved : "";
    ::setenv("LC_ALL", "C.UTF-8", 1);
    const int utf8 = CodePage::fromLocale().number();
    ::setenv("LC_ALL", "C", 1);
    const int plain = CodePage::fromLocale().number();
    if (saved)
        ::setenv("LC_ALL", savedValue.c_str(), 1);
    else
        ::unsetenv("LC_ALL");
    EXPECT_EQ(utf8, 65001);
    EXPECT_EQ(plain, 20127);
}

TEST(LineList, SaveOverAReadOnlyFileFailsAndKeepsIt)
{
    TempDir dir;
    testing_support::openToEveryone(dir.path());
    writeBytes(dir.file("ro.txt"), "old\r\n");
    ::chmod(dir.file("ro.txt").c_str(), 0444);
    const std::string expected = "Cannot create file \"" + dir.file("ro.txt") + "\". " +
                                 testing_support::systemText(testing_support::Failure::AccessDenied);
    const int unprivileged = testing_support::runUnprivileged([&] {
        return errorOf([&] { common::saveLineList(dir.file("ro.txt"), {"new"}); }) == expected ? 0 : 1;
    });
    SKIP_IF_NOT_RUN(unprivileged);
    EXPECT_EQ(unprivileged, 0);
    EXPECT_EQ(readBytes(dir.file("ro.txt")), "old\r\n");
}

TEST(FileSystem, AnUnreadableFolderListsNothing)
{
    TempDir dir;
    testing_support::openToEveryone(dir.path());
    std::filesystem::create_directory(dir.file("locked"));
    writeBytes(dir.file("locked/inside.txt"), "");
    ::chmod(dir.file("locked").c_str(), 0);
    const std::string locked = dir.file("locked");
    const int unprivileged =
        testing_support::runUnprivileged([&] { return static_cast<int>(common::listFolder(locked).size()); });
    SKIP_IF_NOT_RUN(unprivileged);
    EXPECT_EQ(unprivileged, 0);
}

} // namespace
