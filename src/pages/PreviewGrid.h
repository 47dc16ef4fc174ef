// The preview grid DBGrid1's rules over the data link, for whichever view
// draws it (a Qt table model, a Win32 list view): its columns and rows, each
// cell's text and alignment, the row indicator, and edits handed to the data
// layer. Blank while the link is off or the query closed.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace pages {

class DataSource;

// What the indicator column shows beside a row: the current row is marked,
// and the mark says whether it is being edited or inserted.
enum class RowMark { None, Current, Edit, Insert };

class PreviewGrid {
  public:
    // The link must outlive the grid.
    explicit PreviewGrid(DataSource& source) : m_source(source) {}

    DataSource& source() const { return m_source; }

    // One column per field, titled with the field's name, in field order.
    std::vector<std::string> columns() const;
    // The query's rows in their presented order.
    std::size_t rows() const;
    // The data layer's text of a cell; empty where it cannot give one, as
    // painting a cell must never fail.
    std::string cellText(std::size_t row, std::size_t column) const;
    // Numbers are right-aligned, everything else left-aligned.
    bool isNumberColumn(std::size_t column) const;
    bool isEditable() const;
    RowMark mark(std::size_t row) const;
    // A cell editor hands its text over: the row is edited (after leaving
    // the row that was being edited) and the cell set. False when the data
    // layer refused; the link's guard has shown why.
    bool setCellText(std::size_t row, std::size_t column, const std::string& text);

  private:
    DataSource& m_source;
};

} // namespace pages
