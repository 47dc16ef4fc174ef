#include "app/windows/DbNavigator.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

namespace app {

namespace {

// Object names (for tests and accessibility) in button order.
constexpr const char* kButtonNames[DbNavigator::kButtonCount] = {
    "nbFirst",  "nbPrior", "nbNext", "nbLast",   "nbInsert",
    "nbDelete", "nbEdit",  "nbPost", "nbCancel", "nbRefresh",
};

QPainterPath triangle(qreal tipX, qreal baseX)
{
    QPainterPath path;
    path.moveTo(baseX, 3);
    path.lineTo(tipX, 7.5);
    path.lineTo(baseX, 12);
    path.closeSubpath();
    return path;
}

// The glyphs are drawn rather than loaded so that the program carries no
// image files.
void drawGlyph(QPainter& painter, DbNavigator::Button which, const QColor& color)
{
    painter.setBrush(color);
    painter.setPen(Qt::NoPen);
    switch (which) {
    case DbNavigator::First:
        painter.drawRect(QRectF(3, 3, 2, 9));
        painter.drawPath(triangle(5, 11));
        break;
    case DbNavigator::Prior:
        painter.drawPath(triangle(4, 10));
        break;
    case DbNavigator::Next:
        painter.drawPath(triangle(11, 5));
        break;
    case DbNavigator::Last:
        painter.drawPath(triangle(10, 4));
        painter.drawRect(QRectF(10, 3, 2, 9));
        break;
    case DbNavigator::Insert:
        painter.drawRect(QRectF(3, 6.5, 9, 2));
        painter.drawRect(QRectF(6.5, 3, 2, 9));
        break;
    case DbNavigator::Delete:
        painter.drawRect(QRectF(3, 6.5, 9, 2));
        break;
    case DbNavigator::Edit: {
        QPainterPath path;
        path.moveTo(7.5, 3);
        path.lineTo(12, 11);
        path.lineTo(3, 11);
        path.closeSubpath();
        painter.drawPath(path);
        break;
    }
    case DbNavigator::Post:
        painter.setPen(QPen(color, 2));
        painter.drawPolyline(QPolygonF({QPointF(3, 8), QPointF(6, 11), QPointF(12, 4)}));
        break;
    case DbNavigator::Cancel:
        painter.setPen(QPen(color, 2));
        painter.drawLine(QPointF(4, 4), QPointF(11, 11));
        painter.drawLine(QPointF(11, 4), QPointF(4, 11));
        break;
    case DbNavigator::Refresh:
        painter.setPen(QPen(color, 1.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawArc(QRectF(3, 3, 9, 9), 60 * 16, 280 * 16);
        painter.setPen(Qt::NoPen);
        painter.setBrush(color);
        painter.drawPolygon(QPolygonF({QPointF(9, 1.5), QPointF(13, 4.5), QPointF(9, 6.5)}));
        break;
    }
}

QPixmap glyphPixmap(DbNavigator::Button which, const QColor& color)
{
    QPixmap pixmap(15, 15);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    drawGlyph(painter, which, color);
    return pixmap;
}

// The glyph in the colour of a button's text, and greyed as a disabled
// button's text is: the style's own greying of an icon only lightens black
// to a dark grey that reads as enabled.
QIcon glyphIcon(DbNavigator::Button which, const QPalette& palette)
{
    QIcon icon;
    icon.addPixmap(glyphPixmap(which, palette.color(QPalette::Active, QPalette::ButtonText)), QIcon::Normal);
    icon.addPixmap(glyphPixmap(which, palette.color(QPalette::Disabled, QPalette::ButtonText)),
                   QIcon::Disabled);
    return icon;
}

} // namespace

DbNavigator::DbNavigator(QWidget* parent) : QWidget(parent)
{
    for (int index = 0; index < kButtonCount; ++index) {
        const auto which = static_cast<Button>(index);
        auto* button = new QToolButton(this);
        button->setObjectName(QString::fromLatin1(kButtonNames[index]));
        button->setAccessibleName(button->objectName().mid(2));
        button->setIconSize(QSize(15, 15));
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRepeat(which == Prior || which == Next);
        connect(button, &QToolButton::clicked, this, [this, which] {
            if (m_source)
                pages::pressNavigatorButton(*m_source, which);
        });
        m_buttons[index] = button;
    }
    paintGlyphs();
    updateButtons();
}

void DbNavigator::paintGlyphs()
{
    for (int index = 0; index < kButtonCount; ++index)
        m_buttons[index]->setIcon(glyphIcon(static_cast<Button>(index), m_buttons[index]->palette()));
}

void DbNavigator::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange)
        paintGlyphs();
}

DbNavigator::~DbNavigator()
{
    if (m_source)
        m_source->removeListener(*this);
}

void DbNavigator::setDataSource(pages::DataSource& source)
{
    m_source = &source;
    source.addListener(*this);
    updateButtons();
}

void DbNavigator::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // Equal buttons across the whole bar; the pixels left over go to the
    // first ones so that the bar is covered edge to edge.
    const int base = width() / kButtonCount;
    const int extra = width() % kButtonCount;
    int left = 0;
    for (int index = 0; index < kButtonCount; ++index) {
        const int w = base + (index < extra ? 1 : 0);
        m_buttons[index]->setGeometry(left, 0, w, height());
        left += w;
    }
}

void DbNavigator::updateButtons()
{
    std::array<bool, kButtonCount> on{};
    if (m_source)
        on = pages::navigatorEnabled(pages::navigatorState(*m_source));
    for (int index = 0; index < kButtonCount; ++index)
        m_buttons[index]->setEnabled(on[index]);
}

} // namespace app
