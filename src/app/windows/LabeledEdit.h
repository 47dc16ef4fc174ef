// An edit with its caption label above it: the label's left edge is the
// edit's, its bottom 3 pixels above the edit's top.
#pragma once

#include <QLineEdit>

namespace app {

class AutoSizeLabel;

class LabeledEdit : public QLineEdit {
  public:
    // The label is a sibling of the edit in `parent`, named <name>Label.
    LabeledEdit(const QString& name, const QString& labelText, QSize labelSize, QWidget* parent);

    AutoSizeLabel* editLabel() const { return m_label; }
    // Places the edit and its label at once (a hidden widget gets its move
    // event only when shown).
    void setBounds(const QRect& geometry);

  protected:
    void moveEvent(QMoveEvent* event) override;

  private:
    void placeLabel();

    AutoSizeLabel* m_label;
};

} // namespace app
