// What only the POSIX half of the file layer does for the import: record
// files without write permission, a file-size limit that cuts a record
// short, folders that cannot be read (checked as an unprivileged user), link
// loops, and files still open seen through unlink and /proc.
#include "common/Error.h"
#include "import/CustomDataFile.h"
#include "import/ImportRunFixture.h"
#include "import/ImportTestSupport.h"
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
