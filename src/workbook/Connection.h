// The workbook connection: opened from a connection string whose "Data
// Source=" piece names a workbook file; lists the workbook's tables.
#pragma once

#include "common/Clock.h"
#include "common/CodePage.h"
#include "common/FileStamp.h"
#include "common/RegionalSettings.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace workbook {

class WorkbookFile; // the open file, in whatever format (WorkbookFormat.h)

// One row of the table schema.
struct TableSchemaRow {
    std::string tableType; // "TABLE" for a worksheet
    std::string tableName; // as a statement names it: Sheet1$, '日线 数据$'
};

// The names a list of the workbook's sheets shows: those of the schema's
// tables and views, in schema order.
std::vector<std::string> listedTableNames(const std::vector<TableSchemaRow>& schema);

class Connection {
  public:
    // `currentYear` places two-digit years of dates typed into cells; it is
    // asked at every such edit.
    Connection(common::CodePage codePage, common::RegionalSettings settings, common::CurrentYear currentYear);
    ~Connection();

    void setConnectionString(const std::string& text);
    const std::string& connectionString() const { return m_connectionString; }
    // Accepted for the caller's sake; no login is ever asked for.
    void setLoginPrompt(bool on) { m_loginPrompt = on; }

    // Opens the workbook named by the string's "Data Source=" piece. Throws
    // common::Error with the data layer's message; the connection then stays closed.
    void open();
    void close();
    bool isOpen() const { return m_file != nullptr; }

    // The table schema in workbook order. Throws when the connection is closed.
    std::vector<TableSchemaRow> tables() const;

    const common::CodePage& codePage() const { return m_codePage; }
    const common::RegionalSettings& settings() const { return m_settings; }
    int currentYear() const { return m_currentYear(); }
    void setSettings(const common::RegionalSettings& settings) { m_settings = settings; }
    // The open workbook file; nullptr when closed.
    std::shared_ptr<WorkbookFile> file() const { return m_file; }
    // The workbook file's path as the connection string gave it, completed
    // against the current folder of the moment it was opened.
    const std::string& dataSource() const { return m_dataSource; }
    // The workbook file as the data layer last read it (opened, or wrote a
    // posted row into it): a post refuses a file that is no longer this one.
    const std::optional<common::FileStamp>& fileStamp() const { return m_fileStamp; }
    void setFileStamp(std::optional<common::FileStamp> stamp) { m_fileStamp = stamp; }

  private:
    common::CodePage m_codePage;
    common::RegionalSettings m_settings;
    std::string m_connectionString;
    std::string m_dataSource;
    bool m_loginPrompt = true;
    common::CurrentYear m_currentYear;
    std::shared_ptr<WorkbookFile> m_file;
    std::optional<common::FileStamp> m_fileStamp;
};

} // namespace workbook
