// The editing half of scripts/check-writeback.sh: when the script names a
// workbook copy in TARNVALE_WRITEBACK_FILE (a .csv copy in
// TARNVALE_WRITEBACK_CSV), the edits below are posted into it through the
// query, as the preview grid posts them; the script then has real
// spreadsheet programs read the copy. Without the variable there is nothing
// to edit and the case is skipped.
#include "support/WorkbookFixtures.h"

#include "workbook/Connection.h"
#include "workbook/ConnectionString.h"
#include "workbook/Query.h"
#include "workbook/Statement.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

using namespace workbook_testing;

namespace {

void postCell(workbook::Query& query, std::size_t row, std::size_t field, const std::string& text)
{
    query.moveTo(row);
    query.edit();
    query.setCellText(field, text);
    query.post();
}

void postCell(workbook::Query& query, std::size_t row, const std::string& field, const std::string& text)
{
    postCell(query, row, query.fieldIndex(field), text);
}

// The copy the script names in `variable`, with a query open on its first
// table; nothing when the script named none.
struct ScriptsCopy {
    workbook::Connection connection{kUtf8, chineseSettings(), kTestYear};
    workbook::Query query{connection};
};

std::unique_ptr<ScriptsCopy> openScriptsCopy(const char* variable)
{
    const char* path = std::getenv(variable);
    if (!path)
        return nullptr;
    auto copy = std::make_unique<ScriptsCopy>();
    copy->connection.setConnectionString(workbook::connectionStringFor(path));
    copy->connection.open();
    copy->query.setStatement(workbook::selectAllFrom(copy->connection.tables().at(0).tableName));
    copy->query.open();
    return copy;
}

TEST(WritebackCheck, PostsTheScriptsEditsIntoTheWorkbookItNames)
{
    const auto copy = openScriptsCopy("TARNVALE_WRITEBACK_FILE");
    if (!copy)
        GTEST_SKIP() << "run by scripts/check-writeback.sh";
    workbook::Query& query = copy->query; // Sheet1$
    // Cells that no formula of the sheet reads, so that a program that
    // recalculates on opening shows the same results as one that does not.
    postCell(query, 1, "Flag", "5");
    postCell(query, 0, "Name", "招商银行");
    postCell(query, 2, "Name", "平安银行");
    postCell(query, 0, "Stamp", "");
    postCell(query, 0, "Up", "false"); // the first cell of a shared formula
    query.append();
    query.setCellText(query.fieldIndex("Code"), "601318");
    query.setCellText(query.fieldIndex("F9"), "45.5");
    query.post();
    EXPECT_EQ(query.rowCount(), 6u);
}

// The same for a .csv file (TARNVALE_WRITEBACK_CSV), by field number, so
// that any .csv of two fields or more will do.
TEST(WritebackCheck, PostsTheScriptsEditsIntoTheCsvFileItNames)
{
    const auto copy = openScriptsCopy("TARNVALE_WRITEBACK_CSV");
    if (!copy)
        GTEST_SKIP() << "run by scripts/check-writeback.sh";
    workbook::Query& query = copy->query;
    const std::size_t rows = query.rowCount();
    postCell(query, 0, 1, "招商, \"银行\"");
    postCell(query, 1, 0, "");
    query.append();
    query.setCellText(0, "601318");
    query.setCellText(1, "45.5");
    query.post();
    EXPECT_EQ(query.rowCount(), rows + 1);
}

} // namespace
