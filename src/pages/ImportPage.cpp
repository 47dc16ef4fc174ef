#include "pages/ImportPage.h"

#include "import/CollectTxtFiles.h"
#include "import/ImportRun.h"
#include "pages/AppContext.h"
#include "pages/Dialogs.h"
#include "pages/ImportPageView.h"
#include "pages/ImportRunHost.h"
#include "pages/RunLock.h"

namespace pages {

namespace {
constexpr const char* kBrowseCustomDataText = "请选择大智慧新一代安装目录";
constexpr const char* kBrowseTxtFolderText = "请选择Txt文件所在的目录";
} // namespace

void ImportPage::BrowDzhDirButtonClick()
{
    if (const auto folder =
            m_shared.dialogs.browseForFolder(m_shared.context.codePageText(kBrowseCustomDataText)))
        m_view.Dzh2InstallDirEdit().setText(*folder);
}

void ImportPage::AddDirButtonClick()
{
    const auto folder = m_shared.dialogs.browseForFolder(m_shared.context.codePageText(kBrowseTxtFolderText));
    if (!folder)
        return;
    std::vector<std::string> found;
    importer::collectTxtFiles(*folder, found, m_shared.context.codePage);
    m_view.TxtListBox().append(found);
}

void ImportPage::AddTxtButtonClick()
{
    FileDialogOptions& options = m_shared.openDialog1Options;
    options.allowMultiSelect = true;
    std::optional<std::vector<std::string>> files;
    try {
        files = m_shared.dialogs.openFiles(m_shared.context.codePageText(kTextFileFilter), options);
    } catch (...) {
        options = FileDialogOptions::none();
        throw;
    }
    // On OK and on Cancel alike: from now on the shared dialog has no options.
    options = FileDialogOptions::none();
    if (files)
        m_view.TxtListBox().append(*files);
}

void ImportPage::DelFileListButtonClick()
{
    m_view.TxtListBox().clear();
}

void ImportPage::Button4Click()
{
    m_view.TxtListBox().removeSelected();
}

void ImportPage::Button3Click()
{
    if (m_shared.runs.inProgress())
        return;
    // The run lets window events through; the list, the folder and the
    // target stay as they are until it ends (pages/RunLock.h).
    importer::ImportOptions options;
    options.customDataFolder = m_view.Dzh2InstallDirEdit().text();
    options.codePage = m_shared.context.codePage;
    options.currentYear = m_shared.context.currentYear();
    m_shared.runs.run([&] {
        ImportRunHost host(m_view, m_shared.window, m_shared.dialogs, m_shared.context.settings);
        importer::runImport(options, host);
    });
}

} // namespace pages
