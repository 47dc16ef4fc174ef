#include "app/SheetModel.h"

#include "app/TextBridge.h"

namespace app {

const QString SheetModel::kCurrentMark = QStringLiteral("\u25B6");
const QString SheetModel::kEditMark = QStringLiteral("I");
const QString SheetModel::kInsertMark = QStringLiteral("*");

SheetModel::SheetModel(pages::DataSource& source, QObject* parent)
    : QAbstractTableModel(parent), m_grid(source)
{
    source.addListener(*this);
    dataSetReset();
}

SheetModel::~SheetModel()
{
    m_grid.source().removeListener(*this);
}

int SheetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int SheetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_fieldNames.size());
}

QVariant SheetModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows || index.column() >= columnCount())
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    const auto column = static_cast<std::size_t>(index.column());
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignVCenter |
                                   (m_grid.isNumberColumn(column) ? Qt::AlignRight : Qt::AlignLeft));
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    return fromBytes(m_grid.cellText(row, column));
}

QVariant SheetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= columnCount())
            return {};
        return fromBytes(m_fieldNames[section]);
    }
    if (section < 0 || section >= m_rows)
        return {};
    switch (m_grid.mark(static_cast<std::size_t>(section))) {
    case pages::RowMark::Current:
        return kCurrentMark;
    case pages::RowMark::Edit:
        return kEditMark;
    case pages::RowMark::Insert:
        return kInsertMark;
    case pages::RowMark::None:
        break;
    }
    return {};
}

Qt::ItemFlags SheetModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags result = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (m_grid.isEditable())
        result |= Qt::ItemIsEditable;
    return result;
}

bool SheetModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || !(flags(index) & Qt::ItemIsEditable))
        return false;
    return m_grid.setCellText(static_cast<std::size_t>(index.row()), static_cast<std::size_t>(index.column()),
                              toBytes(value.toString()));
}

void SheetModel::dataSetReset()
{
    std::vector<std::string> names = m_grid.columns();
    if (!names.empty() && names == m_fieldNames) {
        // Same columns (a sort, a refresh): keep the view's columns and their
        // widths, only the rows change.
        syncRows();
        refreshShownRows();
        return;
    }
    beginResetModel();
    m_fieldNames = std::move(names);
    m_rows = static_cast<int>(m_grid.rows());
    endResetModel();
}

void SheetModel::recordMoved()
{
    syncRows();
    refreshShownRows();
}

void SheetModel::syncRows()
{
    const int wanted = m_fieldNames.empty() ? 0 : static_cast<int>(m_grid.rows());
    // Rows come and go at the end: every shown row is repainted afterwards,
    // so where the query put a new row doesn't matter to the view.
    if (wanted > m_rows) {
        beginInsertRows(QModelIndex(), m_rows, wanted - 1);
        m_rows = wanted;
        endInsertRows();
    } else if (wanted < m_rows) {
        beginRemoveRows(QModelIndex(), wanted, m_rows - 1);
        m_rows = wanted;
        endRemoveRows();
    }
}

void SheetModel::refreshShownRows()
{
    if (m_rows == 0 || m_fieldNames.empty())
        return;
    emit dataChanged(index(0, 0), index(m_rows - 1, columnCount() - 1));
    emit headerDataChanged(Qt::Vertical, 0, m_rows - 1);
}

} // namespace app
