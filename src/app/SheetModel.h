// The preview grid's table model over the sheet query, seen through
// DataSource1: what the grid shows and accepts is the page layer's rules
// (pages/PreviewGrid.h); this model keeps the rows and columns the view
// knows of in step with them, as Qt's model protocol asks.
#pragma once

#include "pages/DataSource.h"
#include "pages/PreviewGrid.h"

#include <QAbstractTableModel>

#include <string>
#include <vector>

namespace app {

class SheetModel : public QAbstractTableModel, private pages::DataLinkListener {
    Q_OBJECT

  public:
    // Row indicator marks (the grid's indicator column shows them on the
    // current row): browsing, editing, inserting.
    static const QString kCurrentMark;
    static const QString kEditMark;
    static const QString kInsertMark;

    // The source must outlive the model.
    explicit SheetModel(pages::DataSource& source, QObject* parent = nullptr);
    ~SheetModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    pages::DataSource& dataSource() const { return m_grid.source(); }
    // The title of a column: its field's name, as the query holds it.
    const std::string& fieldName(int column) const { return m_fieldNames.at(column); }

  private:
    void dataSetReset() override;
    void recordMoved() override;
    void syncRows();
    void refreshShownRows();

    pages::PreviewGrid m_grid;
    std::vector<std::string> m_fieldNames; // the columns shown now
    int m_rows = 0;                        // the rows shown now
};

} // namespace app
