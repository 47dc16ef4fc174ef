// Row sources over the sheet query: a live view, and a copy taken once so that
// whatever happens to the query during a run cannot change what the run reads.
#pragma once

#include "common/CodePage.h"
#include "convert/RowSource.h"
#include "workbook/Query.h"

#include <string>
#include <vector>

namespace convert {

// Reads and moves the query itself. The query must outlive the view.
class QueryRowSource : public RowSource {
  public:
    explicit QueryRowSource(workbook::Query& query) : m_query(query) {}

    bool isOpen() const override;
    void first() override;
    bool eof() const override;
    void next() override;
    std::size_t fieldIndex(std::string_view name) const override;
    std::string cellText(std::size_t field) const override;

  private:
    workbook::Query& m_query;
};

// The query's field names and every cell text, in the order the query presents
// its rows when the copy is made (its sort included). The query's cursor is
// not moved. Fields are found by name as the query finds them.
class RowSnapshot : public RowSource {
  public:
    RowSnapshot(const workbook::Query& query, common::CodePage codePage);

    bool isOpen() const override { return m_open; }
    void first() override { m_row = 0; }
    bool eof() const override { return m_row >= m_rowCount; }
    void next() override;
    std::size_t fieldIndex(std::string_view name) const override;
    std::string cellText(std::size_t field) const override;

    std::size_t rowCount() const { return m_rowCount; }

  private:
    common::CodePage m_codePage;
    std::string m_queryName;
    bool m_open = false;
    std::vector<table::Field> m_fields;
    // Column after column: a run walks two columns down the rows, once per
    // mapping, and reads them far faster laid out that way.
    std::vector<std::string> m_cells;
    std::size_t m_rowCount = 0;
    std::size_t m_row = 0;
};

} // namespace convert
