#include "app/windows/DateMaskEdit.h"

#include "app/TextBridge.h"
#include "pages/Guard.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>

namespace app {

DateMaskEdit::DateMaskEdit(pages::Dialogs& dialogs, char dateSeparator, QWidget* parent)
    : QLineEdit(parent), m_dialogs(dialogs), m_mask(dateSeparator)
{
    setMaxLength(common::DateMask::kLength);
    // Every change goes through the mask: no paste, drop or undo past it.
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(false);
    setDragEnabled(false);
    refresh();
}

QString DateMaskEdit::maskedText() const
{
    return fromBytes(m_mask.text());
}

void DateMaskEdit::setMaskedText(const QString& text)
{
    m_mask.setText(toBytes(text));
    refresh();
}

void DateMaskEdit::refresh()
{
    setText(fromBytes(m_mask.displayText()));
    setCursorPosition(m_mask.caret());
}

void DateMaskEdit::beep()
{
    ++m_beeps;
    QApplication::beep();
}

void DateMaskEdit::keyPressEvent(QKeyEvent* event)
{
    if (handleEditKey(*event)) {
        event->accept();
        refresh();
        return;
    }
    // Tab and the like move the focus; copying is harmless; the rest would
    // edit past the mask and is swallowed.
    if (event->matches(QKeySequence::Copy) || event->matches(QKeySequence::SelectAll) ||
        event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
}

bool DateMaskEdit::handleEditKey(QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Left:
        m_mask.moveCaretLeft();
        return true;
    case Qt::Key_Right:
        m_mask.moveCaretRight();
        return true;
    case Qt::Key_Home:
        m_mask.setCaret(0);
        return true;
    case Qt::Key_End:
        m_mask.setCaret(common::DateMask::kLength);
        return true;
    case Qt::Key_Backspace:
        if (hasSelectedText())
            clearSelection();
        else if (m_mask.backspace() == common::DateMask::KeyResult::Beep)
            beep();
        return true;
    case Qt::Key_Delete:
        if (hasSelectedText())
            clearSelection();
        else if (m_mask.deleteForward() == common::DateMask::KeyResult::Beep)
            beep();
        return true;
    case Qt::Key_Escape:
        m_mask.escape();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        validate();
        return true;
    default:
        break;
    }
    const QString text = event.text();
    if (text.isEmpty() || !text.at(0).isPrint() ||
        (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    typeText(text);
    return true;
}

void DateMaskEdit::typeText(const QString& text)
{
    for (const QChar c : text) {
        if (hasSelectedText() && c.isDigit())
            clearSelection();
        // Only ASCII can fit a position; anything else is refused as a letter is.
        const char key = c.unicode() < 0x80 ? static_cast<char>(c.unicode()) : '\x7f';
        if (m_mask.typeChar(key) == common::DateMask::KeyResult::Beep)
            beep();
        deselect();
    }
}

void DateMaskEdit::clearSelection()
{
    const int begin = selectionStart();
    m_mask.clearRange(begin, begin + static_cast<int>(selectedText().size()));
    deselect();
}

void DateMaskEdit::inputMethodEvent(QInputMethodEvent* event)
{
    if (!event->commitString().isEmpty()) {
        typeText(event->commitString());
        refresh();
    }
    event->accept();
}

void DateMaskEdit::mousePressEvent(QMouseEvent* event)
{
    QLineEdit::mousePressEvent(event);
    m_mask.setCaret(cursorPosition());
    if (!hasSelectedText())
        setCursorPosition(m_mask.caret());
}

void DateMaskEdit::mouseReleaseEvent(QMouseEvent* event)
{
    QLineEdit::mouseReleaseEvent(event);
    if (!hasSelectedText()) {
        m_mask.setCaret(cursorPosition());
        setCursorPosition(m_mask.caret());
    }
}

void DateMaskEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    // A window switch or a box closing gives the focus back without a new entry.
    if (!m_returning && event->reason() != Qt::ActiveWindowFocusReason &&
        event->reason() != Qt::PopupFocusReason)
        m_mask.focusIn();
    m_returning = false;
}

void DateMaskEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // Only a move to another control of the window is leaving the field.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    if (m_mask.isChanged() && !m_mask.isValid())
        QTimer::singleShot(0, this, [this] { refuseLeaving(); });
}

void DateMaskEdit::refuseLeaving()
{
    m_returning = true;
    setFocus(Qt::OtherFocusReason);
    if (!hasFocus())
        m_returning = false; // the window is not active: the focus comes later
    validate();
}

void DateMaskEdit::validate()
{
    if (!m_mask.isChanged() || m_mask.isValid())
        return;
    beep();
    // The error box takes the focus away and gives it back: not a new entry.
    m_returning = true;
    pages::guarded(m_dialogs, [this] {
        try {
            m_mask.checkOnLeave();
        } catch (...) {
            refresh(); // the caret is on the first blank day position
            throw;
        }
    });
    m_returning = false;
    refresh();
}

} // namespace app
