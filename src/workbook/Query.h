// The sheet query: "SELECT * FROM [table]" over an open connection, with a
// cursor, a sort, and edits. Cursor flags follow the usual data-set rules:
// first() sets bof; next() on the last row sets eof and stays on that row.
#pragma once

#include "table/Field.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace workbook {

class Connection;

class Query {
  public:
    enum class State { Inactive, Browse, Edit, Insert };

    explicit Query(Connection& connection, std::string name = "ADOQuery1");
    ~Query();

    const std::string& name() const { return m_name; }
    void setStatement(const std::string& sql);
    const std::string& statement() const { return m_statement; }

    // Runs the statement. Throws common::Error (unknown table, a statement
    // other than SELECT * FROM, a closed connection); stays closed then.
    void open();
    void close();
    bool isOpen() const;

    const std::vector<table::Field>& fields() const;
    // Field-by-name (FieldLookup.h): the field named exactly `name`, else the
    // first one equal ignoring case; throws "ADOQuery1: Field 'X' not found".
    std::size_t fieldIndex(std::string_view name) const;

    std::size_t rowCount() const;
    // The current row (0-based, in the presented order); meaningless when empty.
    // An inserted row not yet posted counts as a row.
    std::size_t currentRow() const;
    void first();
    void last();
    void next();
    void prior();
    void moveTo(std::size_t row);
    bool bof() const;
    bool eof() const; // at-end: true once next() went past the last row, or when empty
    bool isEmpty() const { return rowCount() == 0; }

    // The cell text of a field in the current row, or in any row.
    std::string cellText(std::size_t field) const;
    std::string cellText(std::size_t row, std::size_t field) const;

    // Sort by a sort text (a field name, ascending; "A, B DESC" too). The
    // rows are then presented in that order. Throws and keeps the order when
    // the text cannot be taken.
    void setSort(const std::string& sortText);
    const std::string& sort() const { return m_sort; }

    // Edits. Posting stores the row in the query (and, where supported,
    // writes it into the workbook file). remove() throws: deleting rows is
    // not supported. setCellText needs Edit or Insert and checks the text
    // against the field's type (a number in the regional format, a date, True
    // or False); the empty text clears the cell. Edit on an empty query inserts.
    State state() const;
    bool canModify() const;
    void edit();
    void insert(); // a new empty row before the current one
    void append(); // a new empty row after the last
    void setCellText(std::size_t field, const std::string& text);
    void post();
    void cancel();
    void remove();
    void refresh();
    // True while an inserted row holds no value yet.
    bool insertedRowUnchanged() const;
    // Leaves Edit or Insert: posts a row that was changed, cancels one that
    // was not. Every cursor move, sort and refresh does this first.
    void checkBrowseMode();

  private:
    struct Impl;
    // Orders the rows by the sort keys taken last (table order when none).
    void applySortKeys();

    Connection& m_connection;
    std::string m_name;
    std::string m_statement;
    std::string m_sort;
    std::unique_ptr<Impl> m_impl;
};

} // namespace workbook
