// The quote-date field: ten positions "9999/99/00" with the regional date
// separator at positions 5 and 8.
#pragma once

#include <QLineEdit>

namespace app {

class Dialogs;

class DateMaskEdit : public QLineEdit {
public:
    DateMaskEdit(Dialogs& dialogs, char dateSeparator, QWidget* parent);

    // Always ten characters: blanks read as spaces, separators included.
    QString maskedText() const;

private:
    Dialogs& m_dialogs;
    char m_separator;
};

} // namespace app
