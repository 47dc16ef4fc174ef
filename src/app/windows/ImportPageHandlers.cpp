// Handlers of the page "自定义数据引入": the import file list, the custom-data
// folder and the import run.
#include "app/windows/TForm1.h"

#include "app/TextBridge.h"
#include "app/windows/AutoSizeLabel.h"
#include "app/windows/FormImportHost.h"
#include "import/CollectTxtFiles.h"
#include "import/ImportRun.h"

#include <QLineEdit>
#include <QListWidget>

namespace app {

namespace {
const QString kBrowseCustomDataText = QStringLiteral("请选择大智慧新一代安装目录");
const QString kBrowseTxtFolderText = QStringLiteral("请选择Txt文件所在的目录");
} // namespace

void TForm1::BrowDzhDirButtonClick()
{
    if (const auto folder = m_dialogs.browseForFolder(kBrowseCustomDataText))
        Dzh2InstallDirEdit->setText(*folder);
}

void TForm1::AddDirButtonClick()
{
    const auto folder = m_dialogs.browseForFolder(kBrowseTxtFolderText);
    if (!folder)
        return;
    std::vector<std::string> found;
    importer::collectTxtFiles(toBytes(*folder), found, m_context.codePage);
    for (const std::string& path : found)
        TxtListBox->addItem(fromBytes(path));
}

void TForm1::AddTxtButtonClick()
{
    m_openDialog1Options.allowMultiSelect = true;
    std::optional<QStringList> files;
    try {
        files = m_dialogs.openFiles(QString::fromUtf8(kTextFileFilter), m_openDialog1Options);
    } catch (...) {
        m_openDialog1Options = FileDialogOptions::none();
        throw;
    }
    // On OK and on Cancel alike: from now on the shared dialog has no options.
    m_openDialog1Options = FileDialogOptions::none();
    if (files)
        TxtListBox->addItems(*files);
}

void TForm1::DelFileListButtonClick()
{
    TxtListBox->clear();
}

void TForm1::Button4Click()
{
    for (int i = TxtListBox->count() - 1; i >= 0; --i) {
        if (TxtListBox->item(i)->isSelected())
            delete TxtListBox->takeItem(i);
    }
}

void TForm1::Button3Click()
{
    // The run lets window events through; the list, the folder and the
    // target stay as they are until it ends (see runBlockingControls).
    importer::ImportOptions options;
    options.customDataFolder = toBytes(Dzh2InstallDirEdit->text());
    options.codePage = m_context.codePage;
    options.currentYear = m_context.currentYear();
    runBlockingControls([&] {
        FormImportHost host(*this);
        importer::runImport(options, host);
    });
}

} // namespace app
