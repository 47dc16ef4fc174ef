// The open query's state, shared by the files that implement Query: the
// table it presents, the presented row order, the cursor and the edit buffer.
#pragma once

#include "table/Table.h"
#include "workbook/Query.h"
#include "workbook/SortText.h"
#include "workbook/WorkbookFormat.h"

#include <cstddef>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

namespace workbook {

// In the presented order, the place of a row being inserted and not yet posted.
constexpr std::size_t kPendingRow = std::numeric_limits<std::size_t>::max();

struct PendingCell {
    bool set = false;
    table::Cell cell;
    std::string text; // for a Text cell: its text, added to the table on post
};

struct Query::Impl {
    std::shared_ptr<WorkbookFile> file; // keeps the table alive while open
    std::size_t tableIndex = 0;         // the table's place in the file's tables
    table::Table* table = nullptr;
    std::vector<std::size_t> order; // table rows in presented order
    std::vector<SortKey> sortKeys;
    std::size_t current = 0;
    bool bof = true;
    bool eof = true;
    State state = State::Inactive;
    std::vector<PendingCell> buffer; // one per field while editing or inserting
    bool modified = false;

    bool isOpen() const { return state != State::Inactive; }
    bool editing() const { return state == State::Edit || state == State::Insert; }
    // The edit buffer's value of a cell of the row being edited, if it was set.
    const PendingCell* bufferedCell(std::size_t row, std::size_t field) const
    {
        return editing() && row == current && buffer[field].set ? &buffer[field] : nullptr;
    }
};

// Sorts `order` (stable) by the keys, whose fields are given as indexes.
void sortRows(const table::Table& table, std::vector<std::size_t>& order,
              const std::vector<std::size_t>& fields, const std::vector<bool>& descending,
              const common::RegionalSettings& settings);

} // namespace workbook
