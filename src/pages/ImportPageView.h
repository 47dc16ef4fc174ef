// The page "自定义数据引入" as its handlers see it.
#pragma once

#include "pages/Controls.h"

namespace pages {

class ImportPageView {
  public:
    virtual ~ImportPageView() = default;

    virtual TextControl& Dzh2InstallDirEdit() = 0; // the custom-data folder
    virtual ListControl& TxtListBox() = 0;         // the text files to import
    virtual CaptionControl& Label3() = 0;          // "Txt文件列表", then the import's progress
    virtual RadioGroupControl& RadioGroup1() = 0; // the target program: 0 大智慧新一代, 1 飞狐交易师
};

} // namespace pages
