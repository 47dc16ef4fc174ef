// What only the POSIX half of the file layer does for the import: record
// files without write permission, a file-size limit that cuts a record
// short, folders that cannot be read (checked as an unprivileged user), link
// loops, files still open seen through unlink and /proc, and a tidy that
// keeps the file's mode or fails for want of a temporary.
#include "common/Error.h"
#include "common/ErrorWhere.h"
#include "import/CustomDataFile.h"
#include "import/ImportRunFixture.h"
#include "import/ImportTestSupport.h"
#include "import/RecordFileTidy.h"
#include "support/TestSupport.h"
#include "support/Unprivileged.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace importer;
using import_test::ImportRunTest;
using import_test::kExampleRecord;
using import_test::kLine;
using import_test::scan;
using testing_support::readBytes;
using testing_support::TempDir;
using testing_support::writeBytes;
namespace fs = std::filesystem;

namespace {

const CustomDataRecord kExample{1200355200, 12.5f};

} // namespace

TEST(CustomDataFile, AReadOnlyRecordFileIsRefusedAndKept)
{
    TempDir dir;
    writeBytes(dir.file("f.dat"), kExampleRecord);
    ::chmod(dir.file("f.dat").c_str(), 0444);
    testing_support::openToEveryone(dir.path());
    const int unprivileged = testing_support::runUnprivileged([&] {
        try {
            CustomDataFile file;
            file.openOrCreate(dir.file("f.dat"));
        } catch (const common::Error& error) {
            return error.ioCode() == 5 ? 0 : 1;
        }
        return 2;
    });
    SKIP_IF_NOT_RUN(unprivileged);
    EXPECT_EQ(unprivileged, 0);
    EXPECT_EQ(readBytes(dir.file("f.dat")), kExampleRecord);
}

TEST(CustomDataFile, AShortWriteIsDiskFull101)
{
    // A file-size limit 4 bytes past the record boundary lets the write store
    // only half a record: the case of a disk that fills up mid-write.
    TempDir dir;
    writeBytes(dir.file("f.dat"), kExampleRecord);
    CustomDataFile file;
    file.openForAppending(dir.file("f.dat"));
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit limit = old;
    limit.rlim_cur = 12;
    ::setrlimit(RLIMIT_FSIZE, &limit);
    const std::string message = testing_support::errorOf([&] { file.append(kExample); });
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(message, "Disk full");
}

TEST(CollectTxtFiles, AFolderThatCannotBeReadIsPassedOver)
{
    TempDir dir;
    fs::create_directory(dir.file("locked"));
    writeBytes(dir.file("locked/a.txt"), "");
    writeBytes(dir.file("b.txt"), "");
    fs::permissions(dir.file("locked"), fs::perms::none);
    testing_support::openToEveryone(dir.path());
    const std::vector<std::string> expected{"earlier", dir.file("b.txt")};
    const int unprivileged =
        testing_support::runUnprivileged([&] { return scan(dir.path().string()) == expected ? 0 : 1; });
    SKIP_IF_NOT_RUN(unprivileged);
    EXPECT_EQ(unprivileged, 0);
}

TEST_F(ImportRunTest, TheRecordFileStaysOpenWhileTheSameTargetRepeats)
{
    // A file put in place of the open one after line 1 is not seen by line 2,
    // which goes to the open file; line 4 comes after another code and so
    // opens the path anew.
    input("PE.txt", kLine + "\n" + kLine + "\nB\t2008-01-15\t1\n" + kLine + "\n");
    host.onLine = [&](int line) {
        if (line == 1) {
            fs::remove(m_cd + "/PE/SH600000.adt");
            writeBytes(m_cd + "/PE/SH600000.adt", "");
        }
    };
    runImport(options, host);
    EXPECT_EQ(record("PE/SH600000.adt"), kExampleRecord);
}

TEST_F(ImportRunTest, ARunEndingInAnErrorReleasesItsFiles)
{
    auto openFiles = [] { return std::distance(fs::directory_iterator("/proc/self/fd"), {}); };
    input("PE.txt", kLine + "\nSH600000\t2008-01-15\t1e39\n");
    const auto before = openFiles();
    EXPECT_EQ(runFailure(), "Floating point overflow");
    EXPECT_EQ(openFiles(), before);
}

TEST(CollectTxtFiles, ALinkLoopEndsQuietly)
{
    TempDir dir;
    fs::create_directory(dir.file("s"));
    writeBytes(dir.file("s/a.txt"), "");
    fs::create_directory_symlink(dir.path(), dir.file("s/up"));
    EXPECT_EQ(scan(dir.path().string()), (std::vector<std::string>{"earlier", dir.file("s/a.txt")}));
}

TEST(RecordFileTidy, TheTidiedFileKeepsItsPermissions)
{
    TempDir dir;
    writeBytes(dir.file("A.adt"), kExampleRecord + kExampleRecord);
    ::chmod(dir.file("A.adt").c_str(), 0640);
    EXPECT_TRUE(tidyRecordFile(dir.file("A.adt"), TimeReading::Signed, false).changed);
    EXPECT_EQ(readBytes(dir.file("A.adt")), kExampleRecord);
    EXPECT_EQ(fs::status(dir.file("A.adt")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(RecordFileTidy, AFailureLeavesTheFileAsItWasAndSaysWhere)
{
    TempDir dir;
    fs::create_directory(dir.file("PE"));
    const std::string messy = kExampleRecord + kExampleRecord;
    writeBytes(dir.file("PE/A.adt"), messy);
    const std::string file = dir.file("PE/A.adt");
    // Anyone may write the file, but no temporary can be made beside it.
    ::chmod(dir.path().c_str(), 0755);
    ::chmod(file.c_str(), 0666);
    ::chmod(dir.file("PE").c_str(), 0555);
    const int verdict = testing_support::runUnprivileged([&] {
        try {
            tidyRecordFile(file, TimeReading::Signed, false);
        } catch (const common::Error& error) {
            return common::describeError(error) ==
                               "cannot write " + file + ": Permission denied (File access denied)" &&
                           readBytes(file) == messy
                       ? 0
                       : 1;
        }
        return 2;
    });
    ::chmod(dir.file("PE").c_str(), 0755);
    if (verdict == testing_support::kNotRun)
        GTEST_SKIP() << "cannot drop privileges";
    EXPECT_EQ(verdict, 0);
    try {
        tidyRecordFile(dir.file("PE/none.adt"), TimeReading::Signed, false);
        ADD_FAILURE() << "no error";
    } catch (const common::Error& error) {
        EXPECT_EQ(common::describeError(error),
                  "cannot read " + dir.file("PE/none.adt") + ": No such file or directory (File not found)");
    }
}
