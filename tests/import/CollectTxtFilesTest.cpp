// The recursive scan for text files.
#include "import/CollectTxtFiles.h"

#include "common/FileSystem.h"
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

TEST(CollectTxtFiles, ASubfolderComesWholeBeforeTheFolderGoesOn)
{
    TempDir dir;
    fs::create_directories(dir.file("s/t"));
    for (const char* name : {"s/1.txt", "s/t/2.txt", "s/3.txt"})
        writeBytes(dir.file(name), "");
    writeBytes(dir.file("0.txt"), "");
    std::vector<std::string> paths = scan(dir.path().string());
    // The root's file comes before or after all of s, as the listing has it.
    bool fileListedFirst = false;
    for (const common::FolderEntry& entry : common::listFolder(dir.path().string())) {
        if (entry.name == "0.txt" || entry.name == "s") {
            fileListedFirst = entry.name == "0.txt";
            break;
        }
    }
    ASSERT_EQ(paths.size(), 5u);
    EXPECT_EQ(paths[fileListedFirst ? 1 : 4], dir.file("0.txt"));
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
