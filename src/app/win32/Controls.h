// The page layer's controls (pages/Controls.h) over Win32 controls: texts
// are the ANSI API's bytes, so nothing is converted here.
#pragma once

#include "pages/Controls.h"

#include <windows.h>

#include <vector>

namespace win32 {

class EditText : public pages::TextControl {
  public:
    explicit EditText(HWND edit = nullptr) : m_edit(edit) {}
    void bind(HWND edit) { m_edit = edit; }
    std::string text() const override;
    void setText(const std::string& text) override;

  private:
    HWND m_edit;
};

// A label that sizes itself to its caption.
class LabelCaption : public pages::CaptionControl {
  public:
    explicit LabelCaption(HWND label = nullptr) : m_label(label) {}
    void bind(HWND label) { m_label = label; }
    void setCaption(const std::string& text) override;
    void holdPainting(bool hold) override;

  private:
    HWND m_label;
};

// A drop-down list (CBS_DROPDOWNLIST).
class DropDownList : public pages::ChoiceControl {
  public:
    explicit DropDownList(HWND combo = nullptr) : m_combo(combo) {}
    void bind(HWND combo) { m_combo = combo; }
    void setItems(const std::vector<std::string>& items) override;
    std::optional<std::size_t> selectedIndex() const override;
    std::string text() const override;

  private:
    HWND m_combo;
};

// A list box with multiple selection.
class MultiSelectList : public pages::ListControl {
  public:
    explicit MultiSelectList(HWND list = nullptr) : m_list(list) {}
    void bind(HWND list) { m_list = list; }
    std::size_t count() const override;
    std::string item(std::size_t index) const override;
    bool isSelected(std::size_t index) const override;
    void append(const std::vector<std::string>& items) override;
    void remove(std::size_t index) override;
    void clear() override;

  private:
    HWND m_list;
};

// Radio buttons, one per item, in item order.
class RadioButtons : public pages::RadioGroupControl {
  public:
    void bind(std::vector<HWND> buttons) { m_buttons = std::move(buttons); }
    int itemIndex() const override;
    void setItemIndex(int index);

  private:
    std::vector<HWND> m_buttons;
};

} // namespace win32
