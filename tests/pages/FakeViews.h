// The main window and the mapping dialog as plain values, for the page
// layer's tests: controls that hold what a user would see, a window whose
// enabled states and focus the tests can read, and an event loop the tests
// can step into.
#pragma once

#include "pages/ExcelPageView.h"
#include "pages/ImportPageView.h"
#include "pages/MappingDialogView.h"
#include "pages/WindowView.h"

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace pages_test {

struct FakeText : pages::TextControl {
    std::string value;
    std::string text() const override { return value; }
    void setText(const std::string& text) override { value = text; }
};

struct FakeCaption : pages::CaptionControl {
    std::string caption;
    bool held = false;
    void setCaption(const std::string& text) override { caption = text; }
    void holdPainting(bool hold) override { held = hold; }
};

struct FakeChoice : pages::ChoiceControl {
    std::vector<std::string> items;
    std::optional<std::size_t> picked;
    void setItems(const std::vector<std::string>& newItems) override
    {
        items = newItems;
        picked.reset();
    }
    std::optional<std::size_t> selectedIndex() const override { return picked; }
    std::string text() const override { return picked ? items.at(*picked) : std::string(); }
    // The user's pick of the item with this text; false when there is none.
    bool pick(const std::string& item);
};

struct FakeList : pages::ListControl {
    std::vector<std::string> values;
    std::set<std::size_t> selected;
    std::size_t count() const override { return values.size(); }
    std::string item(std::size_t index) const override { return values.at(index); }
    bool isSelected(std::size_t index) const override { return selected.count(index) > 0; }
    void append(const std::vector<std::string>& items) override;
    void remove(std::size_t index) override;
    void clear() override;
};

struct FakeRadioGroup : pages::RadioGroupControl {
    int index = 1;
    int itemIndex() const override { return index; }
};

// Both pages of Form1 and the window around them. Every control starts
// enabled; switching off the control that has the focus moves the focus to
// `fallbackFocus`, as a toolkit passes it on.
struct FakeForm1 : pages::ExcelPageView, pages::ImportPageView, pages::WindowView {
    FakeText labeledEdit1, labeledEdit2, dateMaskEdit, dzh2InstallDirEdit;
    FakeChoice tableNameComboBox, codeComboBox;
    FakeList listBox1, txtListBox;
    FakeCaption progressLabel, label3;
    FakeRadioGroup radioGroup1;
    int previewColumnWidth = 0;

    std::set<pages::Control> disabled;
    FocusHandle focused = nullptr;
    FocusHandle fallbackFocus = nullptr;
    // Runs whenever a run lets the window's events through, as a user's
    // clicks would come in then.
    std::function<void()> onEvents;
    int eventPasses = 0;

    pages::TextControl& LabeledEdit1() override { return labeledEdit1; }
    pages::TextControl& LabeledEdit2() override { return labeledEdit2; }
    pages::ChoiceControl& TableNameComboBox() override { return tableNameComboBox; }
    pages::ChoiceControl& CodeComboBox() override { return codeComboBox; }
    pages::TextControl& DateMaskEdit() override { return dateMaskEdit; }
    pages::ListControl& ListBox1() override { return listBox1; }
    pages::CaptionControl& ProgressLabel() override { return progressLabel; }
    void setPreviewColumnWidths(int pixels) override { previewColumnWidth = pixels; }

    pages::TextControl& Dzh2InstallDirEdit() override { return dzh2InstallDirEdit; }
    pages::ListControl& TxtListBox() override { return txtListBox; }
    pages::CaptionControl& Label3() override { return label3; }
    pages::RadioGroupControl& RadioGroup1() override { return radioGroup1; }

    bool isEnabled(pages::Control control) const override { return disabled.count(control) == 0; }
    void setEnabled(pages::Control control, bool enabled) override;
    FocusHandle focus() const override { return focused; }
    void restoreFocus(FocusHandle handle) override { focused = handle; }
    void processEvents() override;

    // The handle a test uses for a control's focus.
    static FocusHandle handleOf(pages::Control control);
};

struct FakeMappingDialog : pages::MappingDialogView {
    FakeChoice comboBox1;
    FakeText labeledEdit1;
    bool shown = false;
    int showings = 0;
    // Runs while the dialog is up, as the user's input would.
    std::function<void()> whileShown;

    pages::ChoiceControl& ComboBox1() override { return comboBox1; }
    pages::TextControl& LabeledEdit1() override { return labeledEdit1; }
    void showModal() override;
    void close() override { shown = false; }
};

} // namespace pages_test
