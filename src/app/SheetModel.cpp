#include "app/SheetModel.h"

#include "app/DataSource.h"
#include "app/TextBridge.h"
#include "workbook/Query.h"

#include <exception>

namespace app {

const QString SheetModel::kCurrentMark = QStringLiteral("\u25B6");
const QString SheetModel::kEditMark = QStringLiteral("I");
const QString SheetModel::kInsertMark = QStringLiteral("*");

SheetModel::SheetModel(DataSource& source, QObject* parent) : QAbstractTableModel(parent), m_source(source)
{
    connect(&m_source, &DataSource::dataSetReset, this, &SheetModel::reload);
    connect(&m_source, &DataSource::recordMoved, this, [this] {
        syncRows();
        refreshShownRows();
    });
    reload();
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
    const workbook::Query& query = m_source.query();
    if (role == Qt::TextAlignmentRole) {
        const bool number = query.fields().at(index.column()).type == table::FieldType::Float;
        return QVariant::fromValue(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    try {
        return fromBytes(query.cellText(index.row(), index.column()));
    } catch (const std::exception&) {
        // A paint must never throw into Qt; a cell the query cannot give
        // shows empty.
        return {};
    }
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
    return indicator(section);
}

Qt::ItemFlags SheetModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags result = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (m_source.isActive() && m_source.query().canModify())
        result |= Qt::ItemIsEditable;
    return result;
}

bool SheetModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || !(flags(index) & Qt::ItemIsEditable))
        return false;
    return m_source.setCellText(index.row(), index.column(), toBytes(value.toString()));
}

QString SheetModel::indicator(int row) const
{
    if (!m_source.isActive() || row < 0 || row >= m_rows)
        return {};
    const workbook::Query& query = m_source.query();
    if (query.isEmpty() || static_cast<int>(query.currentRow()) != row)
        return {};
    switch (query.state()) {
    case workbook::Query::State::Edit:
        return kEditMark;
    case workbook::Query::State::Insert:
        return kInsertMark;
    default:
        return kCurrentMark;
    }
}

void SheetModel::reload()
{
    std::vector<std::string> names;
    if (m_source.isActive()) {
        for (const table::Field& field : m_source.query().fields())
            names.push_back(field.name);
    }
    if (!names.empty() && names == m_fieldNames) {
        // Same columns (a sort, a refresh): keep the view's columns and their
        // widths, only the rows change.
        syncRows();
        refreshShownRows();
        return;
    }
    beginResetModel();
    m_fieldNames = std::move(names);
    m_rows = m_source.isActive() ? static_cast<int>(m_source.query().rowCount()) : 0;
    endResetModel();
}

void SheetModel::syncRows()
{
    const int wanted =
        m_source.isActive() && !m_fieldNames.empty() ? static_cast<int>(m_source.query().rowCount()) : 0;
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
