// Folder and file operations on a real temporary folder, with the codes of their failures.
#include "common/FileSystem.h"

#include "common/Error.h"
#include "support/TestSupport.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

using testing_support::ioCodeOf;
using testing_support::TempDir;
using testing_support::writeBytes;

namespace {

// Restores the process's current folder, which the tests below change.
class FileSystemTest : public ::testing::Test {
  protected:
    void TearDown() override { std::filesystem::current_path(m_saved); }
    std::filesystem::path m_saved = std::filesystem::current_path();
    TempDir m_dir;
};

TEST_F(FileSystemTest, ExistenceTestsTellFilesFromFolders)
{
    writeBytes(m_dir.file("f.txt"), "");
    EXPECT_TRUE(common::fileExists(m_dir.file("f.txt")));
    EXPECT_FALSE(common::folderExists(m_dir.file("f.txt")));
    EXPECT_TRUE(common::folderExists(m_dir.path().string()));
    EXPECT_FALSE(common::fileExists(m_dir.path().string()));
    EXPECT_FALSE(common::fileExists(m_dir.file("none")));
    EXPECT_FALSE(common::folderExists(m_dir.file("none")));
    EXPECT_FALSE(common::fileExists(""));
    EXPECT_FALSE(common::folderExists(""));
}

TEST_F(FileSystemTest, MakeFolderCreatesExactlyOneLevel)
{
    common::makeFolder(m_dir.file("one"));
    EXPECT_TRUE(common::folderExists(m_dir.file("one")));
    EXPECT_EQ(ioCodeOf([&] { common::makeFolder(m_dir.file("one")); }), 183);
    EXPECT_EQ(ioCodeOf([&] { common::makeFolder(m_dir.file("a/b")); }), 3);
    EXPECT_FALSE(common::folderExists(m_dir.file("a")));
}

TEST_F(FileSystemTest, MakeFolderUnlessPresentTakesAFolderThereAsMadeButNotAFile)
{
    common::makeFolderUnlessPresent(m_dir.file("one"));
    common::makeFolderUnlessPresent(m_dir.file("one"));
    EXPECT_TRUE(common::folderExists(m_dir.file("one")));
    writeBytes(m_dir.file("file"), "");
    EXPECT_EQ(ioCodeOf([&] { common::makeFolderUnlessPresent(m_dir.file("file")); }), 183);
    EXPECT_EQ(ioCodeOf([&] { common::makeFolderUnlessPresent(m_dir.file("a/b")); }), 3);
}

TEST_F(FileSystemTest, MakeFolderWithParentsCreatesTheWholePath)
{
    EXPECT_TRUE(common::makeFolderWithParents(m_dir.file("a/b/c")));
    EXPECT_TRUE(common::folderExists(m_dir.file("a/b/c")));
    EXPECT_TRUE(common::makeFolderWithParents(m_dir.file("a/b/c")));
    writeBytes(m_dir.file("file"), "");
    EXPECT_FALSE(common::makeFolderWithParents(m_dir.file("file/sub")));
}

TEST_F(FileSystemTest, CurrentFolderIsSetAndRelativeNamesResolveAgainstIt)
{
    common::makeFolder(m_dir.file("work"));
    common::changeCurrentFolder(m_dir.file("work"));
    EXPECT_EQ(common::currentFolder(), std::filesystem::canonical(m_dir.file("work")).string());
    common::makeFolder("sub");
    EXPECT_TRUE(common::folderExists(m_dir.file("work/sub")));
    EXPECT_TRUE(common::folderExists("sub"));
}

TEST_F(FileSystemTest, ChangingToAMissingFolderFails)
{
    EXPECT_EQ(ioCodeOf([&] { common::changeCurrentFolder(m_dir.file("none")); }), 2);
    EXPECT_EQ(ioCodeOf([&] { common::changeCurrentFolder(m_dir.file("none/deeper")); }), 3);
    writeBytes(m_dir.file("f"), "");
    EXPECT_EQ(ioCodeOf([&] { common::changeCurrentFolder(m_dir.file("f")); }), 267);
}

TEST_F(FileSystemTest, ListFolderGivesEveryEntryWithItsKind)
{
    writeBytes(m_dir.file("a.txt"), "");
    writeBytes(m_dir.file(".hidden"), "");
    common::makeFolder(m_dir.file("sub"));
    std::vector<common::FolderEntry> entries = common::listFolder(m_dir.path().string());
    std::sort(entries.begin(), entries.end(), [](const auto& x, const auto& y) { return x.name < y.name; });
    ASSERT_EQ(entries.size(), 5u);
    const std::pair<const char*, bool> expected[] = {
        {".", true}, {"..", true}, {".hidden", false}, {"a.txt", false}, {"sub", true}};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].name, expected[i].first);
        EXPECT_EQ(entries[i].isFolder, expected[i].second) << entries[i].name;
    }
}

TEST_F(FileSystemTest, MissingOrUnreadableFolderListsNothing)
{
    EXPECT_TRUE(common::listFolder(m_dir.file("none")).empty());
    writeBytes(m_dir.file("f"), "");
    EXPECT_TRUE(common::listFolder(m_dir.file("f")).empty());
}

} // namespace
