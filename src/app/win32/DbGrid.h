// DBGrid1: the preview grid bound to DataSource1, over a report-style list
// view that asks for its cells (LVS_OWNERDATA) from pages::PreviewGrid. The
// first column is the row indicator. The selected row follows the query's
// cursor and moves it when the user picks another row; a click on a title
// sorts; a double click or F2 opens an edit over the cell (Enter or leaving
// it hands the text to the data layer, Escape drops it); Insert inserts a
// row, Ctrl+Delete deletes the current one after asking, and an inserted
// row nobody filled in is dropped when the focus leaves the grid.
#pragma once

#include "pages/DataSource.h"
#include "pages/PreviewGrid.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace win32 {

class DbGrid : private pages::DataLinkListener {
  public:
    // Creates the list view as a child of `parent` at the layout's place.
    DbGrid(HWND parent, int left, int top, int width, int height);
    ~DbGrid() override;
    DbGrid(const DbGrid&) = delete;
    DbGrid& operator=(const DbGrid&) = delete;

    HWND handle() const { return m_list; }
    // The link must outlive the grid.
    void setDataSource(pages::DataSource& source);
    // Every data column (not the indicator) gets this width.
    void setColumnWidths(int pixels);
    // A click on a data column's title (counted from 0).
    std::function<void(std::size_t)> onTitleClick;

    // The parent's WM_NOTIFY from the list view; true when handled.
    bool notify(const NMHDR& header);

    // Opens the cell editor over a cell of the preview (data columns count from 0).
    void beginEdit(std::size_t row, std::size_t column);
    // The open cell editor, or nullptr.
    HWND editor() const { return m_editor; }

  private:
    void dataSetReset() override;
    void recordMoved() override;
    void commitEditor() override { finishEditor(true); }
    void discardEditor() override { finishEditor(false); }

    void rebuildColumns();
    void followCursor();
    void finishEditor(bool commit);
    bool holds(HWND window) const;
    std::string displayText(int row, int subItem) const;
    static LRESULT CALLBACK listProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK editorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_list;
    WNDPROC m_listProc;
    WNDPROC m_editorProc = nullptr;
    pages::DataSource* m_source = nullptr;
    std::unique_ptr<pages::PreviewGrid> m_grid;
    std::vector<std::string> m_titles;
    std::string m_textBuffer;
    bool m_following = false;
    HWND m_editor = nullptr;
    std::size_t m_editRow = 0;
    std::size_t m_editColumn = 0;
    bool m_settingEditorText = false;
    bool m_finishingEditor = false;
    int m_currentColumn = 0; // the data column the user last clicked
};

} // namespace win32
