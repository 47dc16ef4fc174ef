// The controls of the windows as the page layer sees them: what it reads and
// writes of each, with no toolkit in sight. Texts are bytes in the system
// code page; a view implements these over its toolkit's controls (Qt
// widgets, Win32 windows) and converts at that edge.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace pages {

// An edit the user may type into; the page layer reads its text when a
// handler needs it.
class TextControl {
  public:
    virtual ~TextControl() = default;
    virtual std::string text() const = 0;
    virtual void setText(const std::string& text) = 0;
};

// A label that sizes itself to its caption. While its painting is held, a
// new caption is taken at once but shows only at the first repaint after the
// hold ends: a run that sets a caption per file holds it so as not to spend
// its time painting.
class CaptionControl {
  public:
    virtual ~CaptionControl() = default;
    virtual void setCaption(const std::string& text) = 0;
    virtual void holdPainting(bool hold) = 0;
};

// A drop-down list: the user picks one item, or none is picked.
class ChoiceControl {
  public:
    virtual ~ChoiceControl() = default;
    // Replaces every item as one batch (no repaint per item); no item is
    // picked afterwards, and the list's change handler does not run.
    virtual void setItems(const std::vector<std::string>& items) = 0;
    // The picked item; nothing while none is picked.
    virtual std::optional<std::size_t> selectedIndex() const = 0;
    // The picked item's text; empty while none is picked.
    virtual std::string text() const = 0;
};

// A list box with multiple selection.
class ListControl {
  public:
    virtual ~ListControl() = default;
    virtual std::size_t count() const = 0;
    virtual std::string item(std::size_t index) const = 0;
    virtual bool isSelected(std::size_t index) const = 0;
    // Appends at the end, in order, as one batch.
    virtual void append(const std::vector<std::string>& items) = 0;
    virtual void remove(std::size_t index) = 0;
    virtual void clear() = 0;

    std::vector<std::string> items() const;
    // Removes every selected item, working from the last to the first; with
    // nothing selected nothing changes.
    void removeSelected();
};

// A radio group: always one item selected once one was set.
class RadioGroupControl {
  public:
    virtual ~RadioGroupControl() = default;
    virtual int itemIndex() const = 0;
};

} // namespace pages
