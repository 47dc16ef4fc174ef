#include "workbook/Connection.h"

#include "common/Error.h"
#include "common/FileSystem.h"
#include "workbook/ConnectionString.h"
#include "workbook/Statement.h"
#include "workbook/WorkbookFormat.h"
#include "workbook/WorkbookMessages.h"

namespace workbook {

Connection::Connection(common::CodePage codePage, common::RegionalSettings settings,
                       common::CurrentYear currentYear)
    : m_codePage(codePage), m_settings(std::move(settings)), m_currentYear(std::move(currentYear))
{
}

Connection::~Connection() = default;

void Connection::setConnectionString(const std::string& text)
{
    m_connectionString = text;
}

void Connection::open()
{
    close();
    const std::optional<std::string> source = dataSourceOf(m_connectionString);
    if (!source)
        throw common::Error(kNoDataSource);
    // Held as a full path: a conversion or an import changes the current
    // folder, and a later post must still reach the file that was read.
    m_dataSource = common::fullPathName(*source);
    // Taken before the read: a file changed while it is read then no longer
    // matches, and posts into it are refused rather than made on a view
    // that may not be the file's.
    m_fileStamp = common::stampOf(m_dataSource);
    m_file = openWorkbookFile(m_dataSource, m_codePage, m_settings);
}

void Connection::close()
{
    m_file.reset();
    m_fileStamp.reset();
}

std::vector<TableSchemaRow> Connection::tables() const
{
    if (!m_file)
        throw common::Error(kConnectionClosed);
    std::vector<TableSchemaRow> rows;
    for (const FileTable& table : m_file->tables())
        rows.push_back({table.tableType,
                        table.namedAsSheet ? tableNameOf(table.sheetName, m_codePage) : table.sheetName});
    return rows;
}

std::vector<std::string> listedTableNames(const std::vector<TableSchemaRow>& schema)
{
    std::vector<std::string> names;
    for (const TableSchemaRow& row : schema) {
        if (row.tableType == "TABLE" || row.tableType == "VIEW")
            names.push_back(row.tableName);
    }
    return names;
}

} // namespace workbook
