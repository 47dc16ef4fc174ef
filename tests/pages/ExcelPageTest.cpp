// The page "Excel转txt" over fake controls and the Quotes fixture (Code,
// Close, Vol; rows 600000, 000001, 300750): the checks and their order, the
// workbook path that no longer names the open workbook, the run with its
// link and blocked controls, the sheet and field lists, the mapping list,
// and what each handler does with the dialogs' answers.
#include "PageFixture.h"

#include "pages/MappingDialog.h"
#include "pages/PreviewGrid.h"
#include "support/SystemTexts.h"
#include "workbook/Query.h"

#include <filesystem>

namespace fs = std::filesystem;
using pages::Control;
using pages_test::PageTest;
using testing_support::readBytes;
using testing_support::writeBytes;
using Strings = std::vector<std::string>;

namespace {

const std::string kCloseLines = "SH600000\t2024-01-05\t10.5\r\nSZ000001\t2024-01-05\t12.25\r\n";
const std::string kVolumeLines = "SH600000\t2024-01-05\t123456\r\nSZ000001\t2024-01-05\t7890\r\n";
const Strings kQuotesFields = {"Code", "Close", "Vol"};

class ExcelPageTest : public PageTest {
  protected:
    pages_test::Pages p;
    pages::ExcelPage& page = p.excel;
    pages_test::FakeForm1& form = p.form;
    std::string book = m_temp.file("Quotes.xls");
    std::string out = m_temp.file("out");

    ExcelPageTest()
    {
        writeBytes(book, readBytes(testing_support::dataPath("Quotes.xls")));
        fs::create_directory(out);
    }

    void openBook(const std::string& path)
    {
        p.dialogs.fileAnswers.push_back(path);
        p.click([&] { page.Browse1ButtonClick(); });
    }
    void openSheet()
    {
        ASSERT_TRUE(form.tableNameComboBox.pick("Sheet1$"));
        p.click([&] { page.TableNameComboBoxChange(); });
    }
    void fillAll()
    {
        openBook(book);
        openSheet();
        form.codeComboBox.pick("Code");
        form.dateMaskEdit.value = "2024/01/05";
        form.labeledEdit2.value = out;
        // Names of an even number of characters: the Windows build's tests
        // run with code page 936, which takes the test context's UTF-8 bytes
        // as GBK, and an odd number would end in half a character.
        form.listBox1.values = {"Close<->收盘", "Vol<->总手"};
    }
    void convert()
    {
        p.click([&] { page.Button2Click(); });
    }
    std::string output(const std::string& name) const { return out + "/2024-01-05/" + name + ".txt"; }
};

} // namespace

TEST_F(ExcelPageTest, ChecksShowTheirMessagesInTheirOrder)
{
    const std::pair<std::function<void()>, std::string> steps[] = {
        {[] {}, "没有指定Excel文件路径？"},
        {[&] { openBook(book); }, "没有指定txt文件路径？"},
        {[&] { form.labeledEdit2.value = out; }, "没有指定表？"},
        {[&] { openSheet(); }, "没有指定证券代码列？"},
        {[&] { form.codeComboBox.pick("Code"); }, "指定行情日期不正确？"},
        {[&] { form.dateMaskEdit.value = "2024/01/05"; }, "没有设置列对应关系？"},
    };
    for (const auto& [fill, message] : steps) {
        fill();
        convert();
        ASSERT_FALSE(p.messages().empty());
        EXPECT_EQ(p.messages().back(), message);
    }
    EXPECT_EQ(p.messages().size(), std::size(steps));
    EXPECT_TRUE(p.errors().empty());
    EXPECT_FALSE(fs::exists(out + "/2024-01-05"));
}

TEST_F(ExcelPageTest, AWorkbookPathTypedSinceTheOpenIsNotTheOpenWorkbook)
{
    fillAll();
    struct Case {
        const char* what;
        std::string typed;
        Strings messages; // what "转换" answers
    };
    const Case cases[] = {
        {"another path", m_temp.file("other.xls"), {"指定的Excel文件没有打开？"}},
        {"no path", "", {"没有指定Excel文件路径？"}},
        {"the opened text again", book, {}},
    };
    for (const Case& c : cases) {
        p.dialogs.calls.clear();
        form.labeledEdit1.value = c.typed;
        convert();
        EXPECT_EQ(p.messages(), c.messages) << c.what;
    }
    EXPECT_EQ(readBytes(output("收盘")), kCloseLines);
    // Enter on a typed path opens it: it is the open workbook then.
    writeBytes(m_temp.file("other.xls"), readBytes(book));
    form.labeledEdit1.value = m_temp.file("other.xls");
    p.click([&] { page.LabeledEdit1ReturnPressed(); });
    EXPECT_EQ(page.openWorkbookPath(), m_temp.file("other.xls"));
    EXPECT_FALSE(page.ADOQuery1.isOpen());
}

TEST_F(ExcelPageTest, TheRunWritesWithTheLinkOffAndTheControlsBlocked)
{
    fillAll();
    bool linkOn = true;
    std::set<Control> offDuringRun;
    form.onEvents = [&] {
        if (!offDuringRun.empty())
            return;
        linkOn = page.DataSource1.isEnabled();
        offDuringRun = form.disabled;
        // A click that was on its way, an Enter in the path, a list emptied:
        // none reaches the run.
        page.Button2Click();
        page.LabeledEdit1ReturnPressed();
        form.listBox1.values = {"Close<->intruder"};
        form.codeComboBox.pick("Vol");
    };
    convert();
    EXPECT_TRUE(p.errors().empty());
    EXPECT_FALSE(linkOn);
    EXPECT_EQ(offDuringRun.size(), pages::kBlockedDuringRun.size());
    EXPECT_TRUE(form.disabled.empty());
    EXPECT_TRUE(page.DataSource1.isEnabled());
    EXPECT_TRUE(page.ADOQuery1.isOpen());
    EXPECT_EQ(readBytes(output("收盘")), kCloseLines);
    EXPECT_EQ(readBytes(output("总手")), kVolumeLines);
    EXPECT_FALSE(fs::exists(output("intruder")));
    EXPECT_EQ(form.progressLabel.caption, "正在转换<Vol>:2");
    EXPECT_FALSE(p.window.runInProgress());
}

TEST_F(ExcelPageTest, AnErrorEndsTheRunAndTheLinkComesBackOn)
{
    fillAll();
    form.listBox1.values.insert(form.listBox1.values.begin() + 1, "Open<->开盘");
    convert();
    EXPECT_EQ(p.errors(), Strings{"ADOQuery1: Field 'Open' not found."});
    EXPECT_EQ(readBytes(output("收盘")), kCloseLines);
    EXPECT_FALSE(fs::exists(output("总手")));
    EXPECT_EQ(form.progressLabel.caption, "正在转换<Close>:2");
    EXPECT_TRUE(page.DataSource1.isEnabled());
    EXPECT_TRUE(form.disabled.empty());
}

TEST_F(ExcelPageTest, AWorkbookFillsTheSheetListAndASheetBothFieldLists)
{
    form.labeledEdit1.value = "typed.xls";
    p.click([&] { page.Browse1ButtonClick(); }); // Cancel: nothing changes
    EXPECT_EQ(form.labeledEdit1.value, "typed.xls");
    EXPECT_FALSE(page.ADOConnection1.isOpen());

    openBook(book);
    EXPECT_EQ(page.ADOConnection1.connectionString(),
              "Provider=Microsoft.Jet.OLEDB.4.0;Mode=ReadWrite;Extended Properties=Excel 8.0;Data Source=" +
                  book + ";Persist Security Info=False");
    EXPECT_EQ(form.tableNameComboBox.items.front(), "Sheet1$");
    EXPECT_FALSE(form.tableNameComboBox.picked);
    openSheet();
    EXPECT_EQ(page.ADOQuery1.statement(), "SELECT * FROM [Sheet1$]");
    EXPECT_EQ(form.codeComboBox.items, kQuotesFields);
    EXPECT_EQ(p.colnameForm.comboBox1.items, kQuotesFields);
    EXPECT_FALSE(form.codeComboBox.picked);
    EXPECT_FALSE(p.colnameForm.comboBox1.picked);
    EXPECT_EQ(form.previewColumnWidth, 100);

    // A workbook that fails to open leaves nothing of the one before.
    const std::string broken = m_temp.file("broken.xls");
    writeBytes(broken, "garbage");
    openBook(broken);
    EXPECT_EQ(p.errors().size(), 1u);
    EXPECT_EQ(form.labeledEdit1.value, broken);
    EXPECT_FALSE(page.ADOQuery1.isOpen());
    EXPECT_TRUE(form.tableNameComboBox.items.empty());
    EXPECT_TRUE(form.codeComboBox.items.empty());
    EXPECT_TRUE(p.colnameForm.comboBox1.items.empty());
    EXPECT_EQ(page.openWorkbookPath(), "");
}

// A .csv goes the same way as a workbook: one table named after the file.
TEST_F(ExcelPageTest, ACsvFileConvertsAsTheXlsOfTheSameData)
{
    const std::string csv = m_temp.file("Quotes.csv");
    writeBytes(csv, readBytes(testing_support::dataPath("Quotes.csv")));
    openBook(csv);
    EXPECT_EQ(form.tableNameComboBox.items, Strings{"Quotes.csv"});
    ASSERT_TRUE(form.tableNameComboBox.pick("Quotes.csv"));
    p.click([&] { page.TableNameComboBoxChange(); });
    EXPECT_EQ(form.codeComboBox.items, kQuotesFields);
    form.codeComboBox.pick("Code");
    form.dateMaskEdit.value = "2024/01/05";
    form.labeledEdit2.value = out;
    form.listBox1.values = {"Close<->收盘", "Vol<->总手"};
    convert();
    EXPECT_TRUE(p.errors().empty());
    EXPECT_EQ(readBytes(output("收盘")), kCloseLines);
    EXPECT_EQ(readBytes(output("总手")), kVolumeLines);
}

TEST_F(ExcelPageTest, TheGridShowsTheLinkAndATitleClickSortsByItsField)
{
    fillAll();
    const pages::PreviewGrid grid(page.DataSource1);
    EXPECT_EQ(grid.columns(), kQuotesFields);
    EXPECT_EQ(grid.rows(), 3u);
    EXPECT_EQ(grid.cellText(2, 0), "300750");
    EXPECT_TRUE(grid.isNumberColumn(1));
    EXPECT_EQ(grid.mark(0), pages::RowMark::Current);
    EXPECT_EQ(grid.mark(1), pages::RowMark::None);
    page.DataSource1.edit();
    EXPECT_EQ(grid.mark(0), pages::RowMark::Edit);
    page.DataSource1.cancel();

    p.click([&] { page.DBGrid1TitleClick(2); });
    EXPECT_EQ(page.ADOQuery1.sort(), "Vol");
    EXPECT_EQ(grid.cellText(0, 0), "300750"); // the smallest volume first

    // While the link is off the grid is blank, and has no title to click.
    page.DataSource1.setEnabled(false);
    EXPECT_TRUE(grid.columns().empty());
    EXPECT_EQ(grid.rows(), 0u);
    EXPECT_EQ(grid.mark(0), pages::RowMark::None);
    p.click([&] { page.DBGrid1TitleClick(1); });
    EXPECT_EQ(page.ADOQuery1.sort(), "Vol");
    EXPECT_TRUE(p.errors().empty());
}

TEST_F(ExcelPageTest, TheMappingDialogAppendsWhatWasPickedAndTyped)
{
    p.colnameForm.comboBox1.setItems(kQuotesFields);
    pages::MappingDialog dialog(p.colnameForm, form.listBox1);
    // The user picks Close, types after it, and presses "确定"; then opens the
    // dialog again and closes it by its close box.
    int showing = 0;
    p.colnameForm.whileShown = [&] {
        if (++showing > 1)
            return;
        p.colnameForm.comboBox1.pick("Close");
        dialog.ComboBox1Change();
        p.colnameForm.labeledEdit1.value += "收盘";
        dialog.Button1Click();
        EXPECT_FALSE(p.colnameForm.shown);
    };
    p.click([&] { page.AddlineButtonClick(); });
    p.click([&] { page.AddlineButtonClick(); });
    EXPECT_EQ(p.colnameForm.showings, 2);
    EXPECT_EQ(form.listBox1.values, Strings{"Close<->Close收盘"});
    // Nothing picked and nothing typed: the bare separator, as it is.
    p.colnameForm.comboBox1.setItems(kQuotesFields);
    p.colnameForm.labeledEdit1.value.clear();
    dialog.Button1Click();
    EXPECT_EQ(form.listBox1.values.back(), "<->");
}

TEST_F(ExcelPageTest, DeletingRemovesTheSelectedItemsOfEitherList)
{
    using Handler = std::function<void()>;
    const std::pair<pages_test::FakeList*, Handler> lists[] = {
        {&form.listBox1, [&] { page.DelLineButtonClick(); }},
        {&form.txtListBox, [&] { p.importPage.Button4Click(); }},
    };
    for (const auto& [list, deleteSelected] : lists) {
        list->values = {"0", "1", "2", "3", "4", "5"};
        p.click(deleteSelected); // nothing selected: nothing happens
        EXPECT_EQ(list->values.size(), 6u);
        list->selected = {1, 3, 4};
        p.click(deleteSelected);
        EXPECT_EQ(list->values, (Strings{"0", "2", "5"}));
    }
    EXPECT_TRUE(p.dialogs.calls.empty());
}

TEST_F(ExcelPageTest, MappingsGoOutAndComeBackThroughAMappingFile)
{
    const std::string file = m_temp.file("map"); // typed without ".txt": used as typed
    const Strings list = {"Close<->收盘", "", "Vol<->量<->x", ""};
    form.listBox1.values = list;
    p.dialogs.fileAnswers = {file, std::nullopt, file};
    p.click([&] { page.OutRelaButtonClick(); });
    EXPECT_EQ(readBytes(file), "Close<->收盘\r\n\r\nVol<->量<->x\r\n\r\n");
    form.listBox1.values = {"stale"};
    p.click([&] { page.InRelaButtonClick(); }); // cancelled
    EXPECT_EQ(form.listBox1.values, Strings{"stale"});
    p.click([&] { page.InRelaButtonClick(); });
    EXPECT_EQ(form.listBox1.values, list);
    EXPECT_EQ(p.dialogs.texts("saveFile"), Strings{"文本文件|*.txt"});
    EXPECT_EQ(p.dialogs.texts("openFile"), (Strings{"文本文件|*.txt", "文本文件|*.txt"}));
    EXPECT_EQ(p.dialogs.calls.at(0).options, (pages::FileDialogOptions{false, true, true}));

    // A file that cannot be read leaves the list as it was.
    p.dialogs.fileAnswers = {m_temp.file("missing.txt")};
    p.click([&] { page.InRelaButtonClick(); });
    EXPECT_EQ(p.errors(), Strings{"Cannot open file \"" + m_temp.file("missing.txt") + "\". " +
                                  testing_support::systemText(testing_support::Failure::MissingFile) + "."});
    EXPECT_EQ(form.listBox1.values, list);
}

TEST_F(ExcelPageTest, TheSaveFolderChooserStartsAtTheWorkbookAndTakesWhatItAnswers)
{
    form.labeledEdit1.value = m_temp.file("sub/book.xls");
    struct Case {
        const char* what;
        std::optional<std::string> answer;
        std::string saveFolder;
        Strings errors;
    };
    const std::string chosen = m_temp.file("new/deeper");
    const Case cases[] = {
        {"Cancel", std::nullopt, "kept", {}},
        {"an empty path", std::string(), "kept", {"Unable to create directory."}},
        {"a folder to make", chosen, chosen, {}},
    };
    for (const Case& c : cases) {
        p.dialogs.calls.clear();
        form.labeledEdit2.value = "kept";
        p.dialogs.folderAnswers = {c.answer};
        p.click([&] { page.Browse2ButtonClick(); });
        EXPECT_EQ(p.dialogs.texts("selectDirectory"), Strings{m_temp.file("sub/")}) << c.what;
        EXPECT_EQ(form.labeledEdit2.value, c.saveFolder) << c.what;
        EXPECT_EQ(p.errors(), c.errors) << c.what;
    }
    EXPECT_TRUE(fs::is_directory(chosen));
}

// OpenDialog1 is shared: "添加文件" asks for several files, and from then on
// the dialog has no option at all, for the first page's users too.
TEST_F(ExcelPageTest, TheSharedOpenDialogKeepsWhatTheLastUserLeft)
{
    p.click([&] { page.Browse1ButtonClick(); });
    p.dialogs.filesAnswers = {std::nullopt};
    p.click([&] { p.importPage.AddTxtButtonClick(); });
    p.click([&] { page.InRelaButtonClick(); });
    p.click([&] { page.Browse1ButtonClick(); });
    const auto& calls = p.dialogs.calls;
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[0].text, "Excel文件|*.xls;*.xlsx;*.xlsm|OpenDocument表格|*.ods|CSV文件|*.csv");
    EXPECT_EQ(calls[0].options, (pages::FileDialogOptions{false, true, true}));
    EXPECT_EQ(calls[1].options, (pages::FileDialogOptions{true, true, true}));
    EXPECT_EQ(calls[2].options, pages::FileDialogOptions::none());
    EXPECT_EQ(calls[3].options, pages::FileDialogOptions::none());
}
