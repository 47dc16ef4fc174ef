#include "app/windows/DbGrid.h"

#include "app/SheetModel.h"
#include "workbook/Query.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>

namespace app {

namespace {

constexpr int kIndicatorWidth = 16;
constexpr int kRowPadding = 5;

} // namespace

// The usual cell editors, each telling the grid when the user changes its text.
class CellDelegate : public QStyledItemDelegate {
  public:
    explicit CellDelegate(DbGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            connect(line, &QLineEdit::textEdited, m_grid, [grid = m_grid] { grid->editorTextEdited(); });
        return editor;
    }

  private:
    DbGrid* m_grid;
};

DbGrid::DbGrid(QWidget* parent) : QTableView(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setTabKeyNavigation(true);
    setItemDelegate(new CellDelegate(this));
    setShowGrid(true);
    setWordWrap(false);
    horizontalHeader()->setVisible(true);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    // The vertical header is the row indicator column: narrow, fixed, marks only.
    verticalHeader()->setVisible(true);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    verticalHeader()->setFixedWidth(kIndicatorWidth);
    fitRowHeight();
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &DbGrid::titleClicked);
    connect(qApp, &QApplication::focusChanged, this, &DbGrid::focusMoved);
}

void DbGrid::changeEvent(QEvent* event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitRowHeight();
}

void DbGrid::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight, const QList<int>& roles)
{
    // The model repaints every row whenever the cursor or the edit state
    // changes, also when typing starts an edit; an open cell editor keeps
    // what the user typed rather than being reloaded from the model.
    if (state() == QAbstractItemView::EditingState) {
        viewport()->update();
        return;
    }
    QTableView::dataChanged(topLeft, bottomRight, roles);
}

void DbGrid::fitRowHeight()
{
    // Rows as tight as the text allows, as a data grid shows them, rather
    // than the roomier rows of the widget style.
    verticalHeader()->setMinimumSectionSize(0);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + kRowPadding);
}

DbGrid::~DbGrid()
{
    if (m_source)
        m_source->removeListener(*this);
}

void DbGrid::setDataSource(pages::DataSource& source)
{
    m_source = &source;
    m_model = new SheetModel(source, this);
    setModel(m_model);
    // Connected after the model and the view, so these run once both have
    // taken the change in.
    connect(m_model, &QAbstractItemModel::modelAboutToBeReset, this, &DbGrid::rememberWidths);
    connect(m_model, &QAbstractItemModel::modelReset, this, &DbGrid::restoreWidths);
    source.addListener(*this);
    followCursor();
}

void DbGrid::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (m_source && event->key() == Qt::Key_Insert && modifiers == Qt::NoModifier) {
        m_source->insert();
        return;
    }
    if (m_source && event->key() == Qt::Key_Delete && modifiers == Qt::ControlModifier) {
        m_source->remove();
        return;
    }
    if (event->key() == Qt::Key_F2 && modifiers == Qt::NoModifier) {
        if (currentIndex().isValid() && (model()->flags(currentIndex()) & Qt::ItemIsEditable))
            edit(currentIndex());
        return;
    }
    QTableView::keyPressEvent(event);
}

void DbGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    if (!m_source || m_following || m_source->isNotifying() || !current.isValid())
        return;
    if (previous.isValid() && current.row() == previous.row())
        return;
    m_inCurrentChanged = true;
    m_source->moveTo(static_cast<std::size_t>(current.row()));
    m_inCurrentChanged = false;
}

void DbGrid::followCursor()
{
    if (!m_source || !m_model)
        return;
    if (m_inCurrentChanged) {
        // A refused move reports back from inside the view's own current
        // change; go back to the query's row once that is over.
        QMetaObject::invokeMethod(this, &DbGrid::followCursor, Qt::QueuedConnection);
        return;
    }
    verticalHeader()->viewport()->update();
    if (!m_source->isActive() || m_model->rowCount() == 0)
        return;
    const int row = static_cast<int>(m_source->query().currentRow());
    if (row >= m_model->rowCount())
        return;
    const int column = currentIndex().isValid() ? currentIndex().column() : 0;
    if (currentIndex().row() == row && currentIndex().column() == column)
        return;
    m_following = true;
    setCurrentIndex(m_model->index(row, column));
    m_following = false;
}

void DbGrid::finishEditor(bool commit)
{
    if (m_finishingEditor || state() != QAbstractItemView::EditingState)
        return;
    QWidget* editor = indexWidget(currentIndex());
    if (!editor)
        return;
    m_finishingEditor = true;
    if (commit)
        commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
    m_finishingEditor = false;
}

void DbGrid::editorTextEdited()
{
    if (m_source && m_source->isActive() && m_source->query().state() == workbook::Query::State::Browse)
        m_source->edit();
}

bool DbGrid::holds(const QWidget* widget) const
{
    return widget && (widget == this || isAncestorOf(widget));
}

void DbGrid::focusMoved(QWidget* old, QWidget* now)
{
    // Only a move of the focus to another control counts as leaving; the
    // cell editor is the grid's own, and a window losing activation is not
    // the grid losing the focus.
    if (!m_source || !holds(old) || !now || holds(now))
        return;
    m_source->cancelUnchangedInsert();
}

void DbGrid::rememberWidths()
{
    // A blank grid has nothing worth keeping; what it had before stays saved.
    if (m_model->columnCount() == 0)
        return;
    m_savedTitles.clear();
    m_savedWidths.clear();
    for (int column = 0; column < m_model->columnCount(); ++column) {
        m_savedTitles << m_model->headerData(column, Qt::Horizontal).toString();
        m_savedWidths.push_back(columnWidth(column));
    }
}

void DbGrid::restoreWidths()
{
    QStringList titles;
    for (int column = 0; column < m_model->columnCount(); ++column)
        titles << m_model->headerData(column, Qt::Horizontal).toString();
    if (titles.isEmpty() || titles != m_savedTitles)
        return;
    for (int column = 0; column < titles.size(); ++column)
        setColumnWidth(column, m_savedWidths[column]);
}

} // namespace app
