// The Qt widgets behind the page layer's controls (pages/Controls.h): each
// adapter reads and writes its widget, turning QString into bytes in the
// system code page and back (app/TextBridge.h).
#pragma once

#include "pages/Controls.h"

class QComboBox;
class QLineEdit;
class QListWidget;

namespace app {

class AutoSizeLabel;
class DateMaskEdit;
class RadioGroup;

class LineEditControl : public pages::TextControl {
  public:
    explicit LineEditControl(QLineEdit& edit) : m_edit(edit) {}
    std::string text() const override;
    void setText(const std::string& text) override;

  private:
    QLineEdit& m_edit;
};

class DateMaskControl : public pages::TextControl {
  public:
    explicit DateMaskControl(DateMaskEdit& edit) : m_edit(edit) {}
    std::string text() const override;
    void setText(const std::string& text) override;

  private:
    DateMaskEdit& m_edit;
};

class LabelControl : public pages::CaptionControl {
  public:
    explicit LabelControl(AutoSizeLabel& label) : m_label(label) {}
    void setCaption(const std::string& text) override;
    // Qt repaints a widget whose updates are switched on again.
    void holdPainting(bool hold) override;

  private:
    AutoSizeLabel& m_label;
};

class ComboBoxControl : public pages::ChoiceControl {
  public:
    explicit ComboBoxControl(QComboBox& combo) : m_combo(combo) {}
    void setItems(const std::vector<std::string>& items) override;
    std::optional<std::size_t> selectedIndex() const override;
    std::string text() const override;

  private:
    QComboBox& m_combo;
};

class ListWidgetControl : public pages::ListControl {
  public:
    explicit ListWidgetControl(QListWidget& list) : m_list(list) {}
    std::size_t count() const override;
    std::string item(std::size_t index) const override;
    bool isSelected(std::size_t index) const override;
    void append(const std::vector<std::string>& items) override;
    void remove(std::size_t index) override;
    void clear() override;

  private:
    QListWidget& m_list;
};

class RadioButtonsControl : public pages::RadioGroupControl {
  public:
    explicit RadioButtonsControl(RadioGroup& group) : m_group(group) {}
    int itemIndex() const override;

  private:
    RadioGroup& m_group;
};

} // namespace app
