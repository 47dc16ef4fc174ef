// The recursive scan for text files.
#include "import/CollectTxtFiles.h"

#include "common/FileSystem.h"
#include "import/ImportTestSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using namespace importer;
using testing_support::TempDir;
using testing_support::writeBytes;
namespace fs = std::filesystem;

namespace {

std::vector<std::string> scan(const std::string& folder)
{
    std::vector<std::string> paths{"earlier"};
    collectTxtFiles(folder, paths, common::CodePage(936));
    return paths;
}

} // namespace

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
    const std::string root = dir.path().string() + "/";
    EXPECT_EQ(paths,
              (std::vector<std::string>{"earlier", root + ".hidden.txt", root + "a.TXT", root + "b.Txt",
                                        root + "e.txt/f.txt", root + "e.txt/g/h.tXt"}));
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
    EXPECT_EQ(scan(dir.path().string() + "/"),
              (std::vector<std::string>{"earlier", dir.path().string() + "//a.txt"}));
}

TEST(CollectTxtFiles, MissingFoldersAndLinkLoopsEndQuietly)
{
    TempDir dir;
    EXPECT_EQ(scan(dir.file("none")), std::vector<std::string>{"earlier"});
    fs::create_directory(dir.file("s"));
    writeBytes(dir.file("s/a.txt"), "");
    fs::create_directory_symlink(dir.path(), dir.file("s/up"));
    EXPECT_EQ(scan(dir.path().string()), (std::vector<std::string>{"earlier", dir.file("s/a.txt")}));
}
