// The page "自定义数据引入" over fake controls: the file list's handlers with
// the dialogs' answers, the custom-data folder, and import runs from the
// page's controls to the record bytes on disk.
#include "PageFixture.h"

#include <filesystem>

namespace fs = std::filesystem;
using pages_test::PageTest;
using testing_support::readBytes;
using testing_support::writeBytes;
using Strings = std::vector<std::string>;

namespace {

// SH600000, 2008-01-15, 12.5 as one record: 1200355200 seconds, 12.5f.
const std::string kRecord20080115 = std::string("\x80\xF7\x8B\x47\x00\x00\x48\x41", 8);

class ImportPageTest : public PageTest {
  protected:
    pages_test::Pages p;
    pages::ImportPage& page = p.importPage;
    pages_test::FakeForm1& form = p.form;
    std::string customData = m_temp.file("cd");
    std::string input = m_temp.file("PE.txt");

    ImportPageTest()
    {
        fs::create_directory(customData);
        writeBytes(input, "SH600000\t2008-01-15\t12.5\r\nSH600000\tbad\t1\r\n");
        form.dzh2InstallDirEdit.value = customData;
    }

    void runImportClick()
    {
        p.click([&] { page.Button3Click(); });
    }
};

} // namespace

TEST_F(ImportPageTest, FoldersAndFilesAreAppendedAsTheDialogsAnswer)
{
    const std::string root = m_temp.file("scan");
    fs::create_directories(m_temp.file("scan/e.txt"));
    for (const char* name : {"a.TXT", "c.txt.bak", "e.txt/f.txt"})
        writeBytes(m_temp.file(std::string("scan/") + name), "x");
    p.dialogs.folderAnswers = {root, std::nullopt};
    p.dialogs.filesAnswers = {Strings{"/x/1.txt", "/x/2.txt"}, std::nullopt};
    for (int click = 0; click < 2; ++click) {
        p.click([&] { page.AddDirButtonClick(); });
        p.click([&] { page.AddTxtButtonClick(); });
    }
    Strings expected = {m_temp.file("scan/a.TXT"), m_temp.file("scan/e.txt/f.txt")};
    Strings scanned(form.txtListBox.values.begin(), form.txtListBox.values.begin() + 2);
    std::sort(scanned.begin(), scanned.end());
    EXPECT_EQ(scanned, expected);
    EXPECT_EQ(Strings(form.txtListBox.values.begin() + 2, form.txtListBox.values.end()),
              (Strings{"/x/1.txt", "/x/2.txt"}));
    EXPECT_EQ(p.dialogs.texts("browseForFolder"),
              (Strings{"请选择Txt文件所在的目录", "请选择Txt文件所在的目录"}));
    EXPECT_EQ(p.dialogs.texts("openFiles"), (Strings{"文本文件|*.txt", "文本文件|*.txt"}));

    p.click([&] { page.DelFileListButtonClick(); });
    EXPECT_TRUE(form.txtListBox.values.empty());
}

TEST_F(ImportPageTest, TheFolderBrowseReplacesTheFolderOnOkOnly)
{
    p.dialogs.folderAnswers = {std::nullopt, std::string("/data/cd")};
    p.click([&] { page.BrowDzhDirButtonClick(); });
    EXPECT_EQ(form.dzh2InstallDirEdit.value, customData);
    p.click([&] { page.BrowDzhDirButtonClick(); });
    EXPECT_EQ(form.dzh2InstallDirEdit.value, "/data/cd");
    EXPECT_EQ(p.dialogs.texts("browseForFolder"), Strings(2, "请选择大智慧新一代安装目录"));
}

TEST_F(ImportPageTest, TheRunWritesForTheChosenTargetAndReportsDone)
{
    const std::pair<int, const char*> targets[] = {{1, ".adt"}, {0, ".dat"}};
    for (const auto& [item, extension] : targets) {
        form.txtListBox.values = {input};
        form.radioGroup1.index = item;
        runImportClick();
        EXPECT_EQ(readBytes(customData + "/PE/SH600000" + extension), kRecord20080115) << extension;
    }
    EXPECT_TRUE(p.dialogs.calls.empty());
    EXPECT_EQ(form.label3.caption, "转换完成");
    EXPECT_FALSE(form.label3.held);
    EXPECT_TRUE(form.disabled.empty());
    EXPECT_EQ(fs::current_path(), fs::path(customData));
}

TEST_F(ImportPageTest, AMissingCustomDataFolderShowsThePromptAndNothingElse)
{
    form.txtListBox.values = {input};
    for (const std::string& folder : {std::string(), m_temp.file("missing"), input}) {
        p.dialogs.calls.clear();
        form.dzh2InstallDirEdit.value = folder;
        runImportClick();
        EXPECT_EQ(p.dialogs.texts("info"), Strings{"自定义数据路径不存在"}) << folder;
        EXPECT_EQ(p.dialogs.calls.size(), 1u) << folder;
    }
    EXPECT_EQ(form.label3.caption, "");
    EXPECT_FALSE(fs::exists(m_temp.file("PE")));
    EXPECT_EQ(common::currentFolder(), m_startFolder);
}

// A view that could not keep the list still during a run: the run reads the
// entry at each position when its turn comes, and one that is gone ends it.
TEST_F(ImportPageTest, AListThatShrankDuringTheRunEndsItWithTheListsError)
{
    form.txtListBox.values = {input, input, input};
    form.onEvents = [&] { form.txtListBox.values.resize(1); };
    runImportClick();
    EXPECT_EQ(p.errors(), Strings{"List index out of bounds (1)"});
    EXPECT_EQ(readBytes(customData + "/PE/SH600000.adt"), kRecord20080115);
    EXPECT_EQ(form.label3.caption, "正在转换:" + input);
    EXPECT_FALSE(form.label3.held);
    EXPECT_TRUE(form.disabled.empty());
    EXPECT_FALSE(p.window.runInProgress());
}
