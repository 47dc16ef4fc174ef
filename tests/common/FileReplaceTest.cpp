// Replacing a file through a temporary, on real files: what a refused check,
// a throwing check and a folder that takes no new file leave behind, and
// what the new file keeps of the old one. The line-list and workbook tests
// cover the messages built on it.
#include "common/FileReplace.h"

#include "common/Error.h"
#include "common/FileRead.h"
#include "support/TestSupport.h"
#include "support/Unprivileged.h"

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using common::ReplaceFailure;
using testing_support::entryCount;
using testing_support::readBytes;
using testing_support::TempDir;
using testing_support::writeBytes;

namespace {

TEST(FileReplace, TheCheckSeesTheBytesOnTheDiskAndARefusalKeepsTheOldFile)
{
    TempDir dir;
    const std::string path = dir.file("book.xls");
    writeBytes(path, "old");
    std::string seen;
    common::ReplaceOptions options;
    options.check = [&](std::string_view written) -> std::optional<std::string> {
        seen = std::string(written);
        return "cell B7 of worksheet 1";
    };
    const auto failure = common::replaceFile(path, "new bytes", options);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->step, ReplaceFailure::Step::Check);
    EXPECT_EQ(failure->text, "cell B7 of worksheet 1");
    EXPECT_EQ(seen, "new bytes");
    EXPECT_EQ(readBytes(path), "old");
    EXPECT_EQ(entryCount(dir.path()), 1u);
}

TEST(FileReplace, ACheckThatThrowsLeavesNoTemporaryBehind)
{
    TempDir dir;
    const std::string path = dir.file("book.xls");
    writeBytes(path, "old");
    common::ReplaceOptions options;
    options.check = [](std::string_view) -> std::optional<std::string> { throw common::Error("damaged"); };
    EXPECT_THROW(common::replaceFile(path, "new", options), common::Error);
    EXPECT_EQ(readBytes(path), "old");
    EXPECT_EQ(entryCount(dir.path()), 1u);
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

TEST(FileReplace, OneReplaceLockAtATimeForTheFilesOfAFolder)
{
    TempDir dir;
    writeBytes(dir.file("a.xls"), "a");
    writeBytes(dir.file("b.xls"), "b");
    std::optional<common::ReplaceLock> first(std::in_place, dir.file("a.xls"));
    ASSERT_TRUE(first->held());
    EXPECT_FALSE(common::ReplaceLock(dir.file("a.xls"), 50).held());
    EXPECT_FALSE(common::ReplaceLock(dir.file("b.xls"), 50).held());
    first.reset();
    EXPECT_TRUE(common::ReplaceLock(dir.file("a.xls"), 50).held());
}

TEST(FileRead, AFolderAndAMissingFileFailWithTheirCodesAndTheSystemsWords)
{
    TempDir dir;
    try {
        common::readWholeFile(dir.path().string());
        ADD_FAILURE() << "a folder was read";
    } catch (const common::Error& error) {
        EXPECT_EQ(error.ioCode(), 5);
        EXPECT_EQ(error.systemText(), "Is a directory");
    }
    try {
        common::readWholeFile(dir.file("none/x.txt"));
        ADD_FAILURE() << "a missing file was read";
    } catch (const common::Error& error) {
        EXPECT_EQ(error.ioCode(), 3);
        EXPECT_EQ(error.systemText(), "No such file or directory");
    }
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

} // namespace
