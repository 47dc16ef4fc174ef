// The page "Excel转txt" as its handlers see it: the controls they read and
// fill. The preview grid and its navigator follow the data link on their own
// (pages/DataSource.h); the page only sets the grid's column widths.
#pragma once

#include "pages/Controls.h"

namespace pages {

class ExcelPageView {
  public:
    virtual ~ExcelPageView() = default;

    virtual TextControl& LabeledEdit1() = 0;        // "Excel文件：", the workbook path
    virtual TextControl& LabeledEdit2() = 0;        // "Txt文件保存路径：", the save folder
    virtual ChoiceControl& TableNameComboBox() = 0; // the sheet list
    virtual ChoiceControl& CodeComboBox() = 0;      // the code column
    // The quote date: always ten characters, blanks read as spaces.
    virtual TextControl& DateMaskEdit() = 0;
    virtual ListControl& ListBox1() = 0; // the mapping list
    virtual CaptionControl& ProgressLabel() = 0;
    // DBGrid1: every column of the preview gets this width.
    virtual void setPreviewColumnWidths(int pixels) = 0;
};

} // namespace pages
