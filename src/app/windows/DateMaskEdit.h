// The quote-date field: the widget over common::DateMask. It shows the ten
// positions with "_" for blanks and the regional date separator at positions
// 5 and 8, types over the position under the caret, and checks the day when
// the focus leaves it within its window and on Enter.
#pragma once

#include "common/DateMask.h"

#include <QLineEdit>

namespace pages {
class Dialogs;
}

namespace app {

class DateMaskEdit : public QLineEdit {
  public:
    // The field starts with every digit position blank.
    DateMaskEdit(pages::Dialogs& dialogs, char dateSeparator, QWidget* parent);

    // Always ten characters: blanks read as spaces, separators included.
    QString maskedText() const;
    // Sets the digits from `text`; not an edit by the user (clears the changed state).
    void setMaskedText(const QString& text);
    const common::DateMask& mask() const { return m_mask; }
    // How many refused keys or failed checks have sounded the beep.
    int beepCount() const { return m_beeps; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

  private:
    bool handleEditKey(QKeyEvent& event);
    void typeText(const QString& text);
    void clearSelection();
    // The check of leaving and Enter; shows the error box when it fails.
    void validate();
    void refuseLeaving();
    void beep();
    void refresh();

    pages::Dialogs& m_dialogs;
    common::DateMask m_mask;
    int m_beeps = 0;
    // The focus comes back after a failed check: not a new entry.
    bool m_returning = false;
};

} // namespace app
