// The mapping dialog colnameForm without its controls: picking a column
// copies its name into the name edit, and "确定" appends column + "<->" +
// name to the main window's mapping list and closes the dialog. Nothing is
// checked: an empty column or name is taken as it is.
#pragma once

namespace pages {

class ListControl;
class MappingDialogView;

class MappingDialog {
  public:
    // Both must outlive the dialog; `mappingList` is the main window's ListBox1.
    MappingDialog(MappingDialogView& view, ListControl& mappingList)
        : m_view(view), m_mappingList(mappingList)
    {
    }

    void ComboBox1Change();
    void Button1Click();

  private:
    MappingDialogView& m_view;
    ListControl& m_mappingList;
};

} // namespace pages
