// The recursive scan for text files.
#include "import/CollectTxtFiles.h"

#include "import/ImportTestSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using namespace importer;
using import_test::scan;
using testing_support::TempDir;
using testing_support::writeBytes;
namespace fs = std::filesystem;

TEST(CollectTxtFiles, TakesTxtInAnyCaseAndSearchesSubfoldersNamedLikeFiles)
{
    TempDir dir;
    for (const char* name :
         {"a.TXT", "b.Txt", "c.txt.bak", "d.text", ".hidden.txt", "e.txt/f.txt", "e.txt/g/h.tXt"}) {
        fs::create_directories(fs::path(dir.file(name)).parent_path());
        writeBytes(dir.file(name), "");
    }
    std::vector<std::string> paths = scan(dir.path().string());
    ASSERT_EQ(paths.front(), "earlier"); // appended, never replaced
    std::sort(paths.begin() + 1, paths.end());
    EXPECT_EQ(paths, (std::vector<std::string>{"earlier", dir.file(".hidden.txt"), dir.file("a.TXT"),
                                               dir.file("b.Txt"), dir.file("e.txt/f.txt"),
                                               dir.file("e.txt/g/h.tXt")}));
}

TEST(CollectTxtFiles, EntriesComeByNameAndASubfolderWholeBeforeTheFolderGoesOn)
{
    TempDir dir;
    // Made newest first, as a file system listing by creation would give them.
    for (const char* name : {"2024-01-05/b.txt", "2024-01-05/A.txt", "2024-01-03/t/2.txt", "2024-01-03/1.txt",
                             "2024-01-03/3.txt", "0.txt"}) {
        fs::create_directories(fs::path(dir.file(name)).parent_path());
        writeBytes(dir.file(name), "");
    }
    EXPECT_EQ(scan(dir.path().string()),
              (std::vector<std::string>{"earlier", dir.file("0.txt"), dir.file("2024-01-03/1.txt"),
                                        dir.file("2024-01-03/3.txt"), dir.file("2024-01-03/t/2.txt"),
                                        dir.file("2024-01-05/A.txt"), dir.file("2024-01-05/b.txt")}));
}

TEST(CollectTxtFiles, JoinsWithOneSeparatorEvenAfterATrailingOne)
{
    TempDir dir;
    writeBytes(dir.file("a.txt"), "");
    EXPECT_EQ(scan(dir.file("")),
              (std::vector<std::string>{"earlier", dir.file(testing_support::nativePath("/a.txt"))}));
}

TEST(CollectTxtFiles, AMissingFolderEndsQuietly)
{
    TempDir dir;
    EXPECT_EQ(scan(dir.file("none")), std::vector<std::string>{"earlier"});
}
