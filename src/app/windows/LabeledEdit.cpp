#include "app/windows/LabeledEdit.h"

#include "app/windows/AutoSizeLabel.h"

namespace app {

namespace {
constexpr int kLabelSpacing = 3;
}

LabeledEdit::LabeledEdit(const QString& name, const QString& labelText, QSize labelSize, QWidget* parent)
    : QLineEdit(parent), m_label(new AutoSizeLabel(labelText, parent))
{
    setObjectName(name);
    m_label->setObjectName(name + QStringLiteral("Label"));
    m_label->resize(labelSize);
    m_label->setBuddy(this);
    placeLabel();
}

void LabeledEdit::setBounds(const QRect& geometry)
{
    setGeometry(geometry);
    placeLabel();
}

void LabeledEdit::moveEvent(QMoveEvent* event)
{
    QLineEdit::moveEvent(event);
    placeLabel();
}

void LabeledEdit::placeLabel()
{
    m_label->move(x(), y() - m_label->height() - kLabelSpacing);
}

} // namespace app
