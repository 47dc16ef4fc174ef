// DBNavigator1: ten buttons over DataSource1 (first, prior, next, last,
// insert, delete, edit, post, cancel, refresh). All are disabled while the
// link is off or the query closed; otherwise each follows the cursor and the
// edit state. Delete asks "Delete record?" first (through the link).
#pragma once

#include <QWidget>

#include <array>

class QToolButton;

namespace app {

class DataSource;

class DbNavigator : public QWidget {
    Q_OBJECT

  public:
    enum Button { First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel, Refresh };
    static constexpr int kButtonCount = 10;

    explicit DbNavigator(QWidget* parent = nullptr);

    // The link must outlive the navigator.
    void setDataSource(DataSource& source);
    QToolButton* button(Button which) const { return m_buttons[which]; }

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    // Sets every button's icon from the palette, enabled and disabled.
    void paintGlyphs();
    void updateButtons();
    void click(Button which);

    std::array<QToolButton*, kButtonCount> m_buttons{};
    DataSource* m_source = nullptr;
};

} // namespace app
