// DBNavigator1: ten buttons over DataSource1 (first, prior, next, last,
// insert, delete, edit, post, cancel, refresh), enabled and pressed by the
// page layer's rules (pages/NavigatorRules.h). Delete asks "Delete record?"
// first (through the link).
#pragma once

#include "pages/DataSource.h"
#include "pages/NavigatorRules.h"

#include <QWidget>

#include <array>

class QToolButton;

namespace app {

// The button names (Button, First, ..., kButtonCount) are the page layer's.
class DbNavigator : public QWidget, public pages::NavigatorButtons, private pages::DataLinkListener {
    Q_OBJECT

  public:
    explicit DbNavigator(QWidget* parent = nullptr);
    ~DbNavigator() override;

    // The link must outlive the navigator.
    void setDataSource(pages::DataSource& source);
    QToolButton* button(Button which) const { return m_buttons[which]; }

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void dataSetReset() override { updateButtons(); }
    void recordMoved() override { updateButtons(); }
    // Sets every button's icon from the palette, enabled and disabled.
    void paintGlyphs();
    void updateButtons();

    std::array<QToolButton*, kButtonCount> m_buttons{};
    pages::DataSource* m_source = nullptr;
};

} // namespace app
