// A fixture workbook copied to a temporary folder and opened through the
// data layer as the window opens it, one sheet queried: edits are posted
// through the query, as the preview grid posts them, and go back into the
// copy. Shared by the write-back tests of every format.
#pragma once

#include "support/WorkbookFixtures.h"

#include "workbook/Connection.h"
#include "workbook/ConnectionString.h"
#include "workbook/Query.h"
#include "workbook/Statement.h"

#include <string>

namespace workbook_testing {

class PostedWorkbook {
  public:
    // Copies `fixture` (as `copyName`, by default its own name) and opens
    // its table `table`.
    void openCopy(const std::string& fixture, const std::string& table = "Sheet1$", std::string copyName = {})
    {
        path = folder.file(copyName.empty() ? fixture : copyName);
        original = testing_support::readBytes(testing_support::dataPath(fixture));
        testing_support::writeBytes(path, original);
        connection.setConnectionString(workbook::connectionStringFor(path));
        connection.open();
        query.setStatement(workbook::selectAllFrom(table));
        query.open();
    }
    // Posts `text` into one cell of the row presented at `row`.
    void post(std::size_t row, const std::string& field, const std::string& text)
    {
        query.moveTo(row);
        query.edit();
        query.setCellText(query.fieldIndex(field), text);
        query.post();
    }
    std::size_t column(const std::string& field) { return query.fieldIndex(field); }
    // The message of a post the writer refuses for `reason`.
    std::string refusal(const std::string& reason) const
    {
        return "Cannot write the posted row into the workbook \"" + path + "\": " + reason;
    }

    testing_support::TempDir folder;
    std::string path;
    std::string original; // the fixture's bytes
    workbook::Connection connection{kUtf8, chineseSettings(), kTestYear};
    workbook::Query query{connection};
};

} // namespace workbook_testing
