// DBGrid1: the preview grid bound to DataSource1. A table view with a row
// indicator column, titles, resizable columns and cell lines, whose current
// row follows the query's cursor and moves it when the user picks another
// row. Insert inserts a row, F2 opens the cell editor, Ctrl+Delete deletes
// the current row after asking, Tab moves between cells, and an inserted row
// nobody filled in is dropped when the focus leaves the grid.
#pragma once

#include "pages/DataSource.h"

#include <QStringList>
#include <QTableView>

#include <vector>

namespace app {

class SheetModel;

class DbGrid : public QTableView, private pages::DataLinkListener {
    Q_OBJECT

  public:
    explicit DbGrid(QWidget* parent = nullptr);
    ~DbGrid() override;

    // Binds the grid to a link (which must outlive it) through a model of its own.
    void setDataSource(pages::DataSource& source);
    pages::DataSource* dataSource() const { return m_source; }
    SheetModel* sheetModel() const { return m_model; }

  signals:
    // A click on a column title (the column counts from 0).
    void titleClicked(int column);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void changeEvent(QEvent* event) override;
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QList<int>& roles = QList<int>()) override;

  private:
    // What the link tells the grid.
    void dataSetReset() override { followCursor(); }
    void recordMoved() override { followCursor(); }
    void commitEditor() override { finishEditor(true); }
    void discardEditor() override { finishEditor(false); }

    void followCursor();
    void fitRowHeight();
    // Closes an open cell editor, handing its text to the model first when
    // `commit` is set.
    void finishEditor(bool commit);
    // The first keystroke in a cell editor puts the row into editing, so
    // that Post and Cancel apply to what is being typed.
    void editorTextEdited();
    friend class CellDelegate;
    void focusMoved(QWidget* old, QWidget* now);
    bool holds(const QWidget* widget) const;
    void rememberWidths();
    void restoreWidths();

    pages::DataSource* m_source = nullptr;
    SheetModel* m_model = nullptr;
    bool m_following = false;
    bool m_inCurrentChanged = false;
    bool m_finishingEditor = false;
    // Column widths kept over a reset that brings back the same columns
    // (the data link switched off and on again around a conversion run).
    QStringList m_savedTitles;
    std::vector<int> m_savedWidths;
};

} // namespace app
