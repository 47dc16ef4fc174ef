// The mapping dialog colnameForm as its handlers and the main window's page
// see it. The dialog is created once and only hidden when closed, so its
// controls keep their contents between showings.
#pragma once

#include "pages/Controls.h"

namespace pages {

class MappingDialogView {
  public:
    virtual ~MappingDialogView() = default;

    virtual ChoiceControl& ComboBox1() = 0;  // "Excel列名": the open sheet's field names
    virtual TextControl& LabeledEdit1() = 0; // "大智慧自定义数据列名": the custom data name
    // Shows the dialog modally in a nested event loop until it is closed,
    // then hides it; every caller ignores the result.
    virtual void showModal() = 0;
    // Ends the modal showing (as the close box does).
    virtual void close() = 0;
};

} // namespace pages
