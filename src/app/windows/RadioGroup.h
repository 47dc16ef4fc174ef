// A captionless group of radio buttons in one column with an item index, as
// the layout's radio group: exactly one item is selected once one was set.
#pragma once

#include <QGroupBox>
#include <QStringList>

#include <vector>

class QButtonGroup;
class QRadioButton;

namespace app {

class RadioGroup : public QGroupBox {
  public:
    RadioGroup(const QStringList& items, QWidget* parent);

    int itemIndex() const;
    void setItemIndex(int index);
    QRadioButton* item(int index) const { return m_buttons.at(static_cast<std::size_t>(index)); }

  protected:
    void resizeEvent(QResizeEvent* event) override;
    // Tabbing into the group lands on its selected item.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void placeItems();

    QButtonGroup* m_group;
    std::vector<QRadioButton*> m_buttons;
};

} // namespace app
