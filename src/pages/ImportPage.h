// The page "自定义数据引入" without its controls: the import file list, the
// custom-data folder and the import run.
#pragma once

#include "pages/SharedPageState.h"

namespace pages {

class ImportPageView;

class ImportPage {
  public:
    // The view and the shared state must outlive the page.
    ImportPage(ImportPageView& view, SharedPageState shared) : m_view(view), m_shared(shared) {}

    void BrowDzhDirButtonClick();
    void AddDirButtonClick();
    // The shared file-open dialog with multiple selection; afterwards, on OK
    // and on Cancel alike, the dialog has no options at all.
    void AddTxtButtonClick();
    void DelFileListButtonClick();
    void Button4Click();
    void Button3Click();

  private:
    ImportPageView& m_view;
    SharedPageState m_shared;
};

} // namespace pages
