// The main window as the page layer sees it beyond its pages' contents: the
// controls it takes input away from while a run goes, the keyboard focus,
// and the event loop that the runs let through between records.
#pragma once

namespace pages {

// The controls that the page layer switches off and on, by layout name.
enum class Control {
    Button2,
    Button3,
    InRelaButton,
    OutRelaButton,
    AddlineButton,
    DelLineButton,
    Browse1Button,
    Browse2Button,
    TableNameComboBox,
    CodeComboBox,
    DateMaskEdit,
    BrowDzhDirButton,
    AddDirButton,
    AddTxtButton,
    DelFileListButton,
    Button4,
    Dzh2InstallDirEdit,
    RadioGroup1,
};

// A view also keeps to this rule of its own: a double click on "转换" or
// "引入" asks for one run, so the second press of a double click clicks
// nothing (only the platform's input tells that press apart).
class WindowView {
  public:
    // Where the keyboard focus is: the view's own handle of the control that
    // has it (a widget, a window handle), or nullptr. The page layer only
    // compares handles and hands them back.
    using FocusHandle = const void*;

    virtual ~WindowView() = default;

    // The control's own enabled state, not its parent's.
    virtual bool isEnabled(Control control) const = 0;
    // A disabled control looks disabled and takes no input; disabling the
    // control that has the focus may move the focus elsewhere.
    virtual void setEnabled(Control control, bool enabled) = 0;

    virtual FocusHandle focus() const = 0;
    // Gives the focus to the control `handle` names, if it still exists, is
    // enabled and is shown.
    virtual void restoreFocus(FocusHandle handle) = 0;

    // Handles the pending window events (input, timers, repaints) and
    // returns: the runs call it between records.
    virtual void processEvents() = 0;
};

} // namespace pages
