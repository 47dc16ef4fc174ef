// The import run on Windows, under Wine with code page 936: files held open
// seen through Windows' sharing rules, a data name whose GBK trail byte is
// "\", a code that would name a stream of another file, and a tidy of a
// record file that an import holds open.
#include "common/ErrorWhere.h"
#include "common/RecordFile.h"
#include "common/platform/WinApi.h"
#include "import/ImportRunFixture.h"
#include "import/ImportTestSupport.h"
#include "import/RecordFileTidy.h"

#include <gtest/gtest.h>

using import_test::FakeHost;
using import_test::ImportRunTest;
using import_test::kExampleRecord;
using import_test::kLine;
using testing_support::readBytes;

namespace {

// 32 while some handle holds the file, 0 once nothing does.
DWORD exclusiveOpenError(const std::string& path)
{
    common::win::FileHandle file(
        CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.isOpen() ? 0 : GetLastError();
}

} // namespace

TEST_F(ImportRunTest, TheRecordFileStaysOpenWhileTheSameTargetRepeats)
{
    input("PE.txt", kLine + "\n" + kLine + "\nB\t2008-01-15\t1\n" + kLine + "\n");
    const std::string target = m_cd + "\\PE\\SH600000.adt";
    std::vector<DWORD> seen;
    host.onLine = [&](int line) { seen.push_back(line == 0 ? 0 : exclusiveOpenError(target)); };
    runImport(options, host);
    // Held from the first line on; after B it is opened anew for line 4.
    EXPECT_EQ(seen, (std::vector<DWORD>{0, ERROR_SHARING_VIOLATION, ERROR_SHARING_VIOLATION, 0}));
    EXPECT_EQ(exclusiveOpenError(target), 0u);
    EXPECT_EQ(record("PE/SH600000.adt"), kExampleRecord + kExampleRecord + kExampleRecord);
}

TEST_F(ImportRunTest, ARunEndingInAnErrorReleasesItsFiles)
{
    const std::string text = input("PE.txt", kLine + "\nSH600000\t2008-01-15\t1e39\n");
    EXPECT_EQ(runFailure(), "Floating point overflow");
    EXPECT_EQ(exclusiveOpenError(text), 0u);
    EXPECT_EQ(exclusiveOpenError(m_cd + "\\PE\\SH600000.adt"), 0u);
}

TEST_F(ImportRunTest, ACodeWithAColonIsRefusedBeforeItNamesAStream)
{
    input("PE.txt", "SH:600000\t2008-01-15\t12.5\n");
    EXPECT_EQ(runFailure(), "I/O error 123");
    EXPECT_EQ(testing_support::entryCount(m_cd + "\\PE"), 0u);
}

TEST_F(ImportRunTest, ADataNameWhoseTrailByteIsABackslashIsOneFolder)
{
    const std::string cheng = "\xD5\x5C"; // 誠
    input(cheng + ".txt", kLine + "\r\n");
    runImport(options, host);
    EXPECT_EQ(record(cheng + "/SH600000.adt"), kExampleRecord);
    EXPECT_EQ(testing_support::entryCount(m_cd), 1u);
}

// Tidy is for files no import writes to; one that does holds the file open
// with write access, which the tidy's read (read sharing only) runs into.
TEST(RecordFileTidy, ARecordFileAnImportHoldsOpenIsLeftAsItWas)
{
    testing_support::TempDir dir;
    const std::string path = dir.file("A.adt");
    testing_support::writeBytes(path, kExampleRecord + kExampleRecord);
    common::RecordFile held(8);
    held.openExisting(path);
    EXPECT_EQ(testing_support::errorOf([&] {
                  try {
                      importer::tidyRecordFile(path, importer::TimeReading::Signed, false);
                  } catch (const common::Error& error) {
                      throw common::Error(common::describeError(error));
                  }
              }),
              "cannot read " + path + ": " + common::win::systemErrorText(ERROR_SHARING_VIOLATION) +
                  " (I/O error 32)");
    held.close();
    EXPECT_EQ(readBytes(path), kExampleRecord + kExampleRecord);
}
