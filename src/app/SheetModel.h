// The preview grid's table model over the sheet query, seen through
// DataSource1: one column per field titled with the field name, one row per
// row of the query in its presented order. Blank while the link is off or the
// query closed. Edits go to the query through the link.
#pragma once

#include <QAbstractTableModel>

#include <string>
#include <vector>

namespace app {

class DataSource;

class SheetModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    // Row indicator marks (the grid's indicator column shows them on the
    // current row): browsing, editing, inserting.
    static const QString kCurrentMark;
    static const QString kEditMark;
    static const QString kInsertMark;

    // The source must outlive the model.
    explicit SheetModel(DataSource& source, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    DataSource& dataSource() const { return m_source; }
    // The title of a column: its field's name, as the query holds it.
    const std::string& fieldName(int column) const { return m_fieldNames.at(column); }

  private:
    void reload();
    void syncRows();
    void refreshShownRows();
    QString indicator(int row) const;

    DataSource& m_source;
    std::vector<std::string> m_fieldNames; // the columns shown now
    int m_rows = 0;                        // the rows shown now
};

} // namespace app
