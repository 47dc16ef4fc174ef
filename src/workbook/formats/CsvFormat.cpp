#include "workbook/formats/CsvFormat.h"

#include "common/FileNames.h"
#include "common/Text.h"
#include "csv/CsvTable.h"
#include "csv/CsvWriter.h"

namespace workbook {

namespace {

class CsvFile : public WorkbookFile {
  public:
    CsvFile(std::string path, const common::FileBytes& bytes, const common::CodePage& codePage,
            const common::RegionalSettings& settings)
        : m_path(std::move(path)), m_codePage(codePage),
          m_table(csv::readCsvTable(bytes.view(), codePage, settings, m_texts))
    {
    }

    std::vector<FileTable> tables() const override
    {
        FileTable table;
        table.sheetName = common::namePart(m_path, m_codePage);
        table.namedAsSheet = false;
        return {table};
    }

    table::Table& table(std::size_t) override { return *m_table; }

    void writeCells(std::size_t, const std::vector<table::CellWrite>& cells) override
    {
        csv::writeCellsToFile(m_path, cells, m_codePage);
    }

  private:
    std::string m_path;
    common::CodePage m_codePage;
    std::vector<std::string> m_texts; // before the table, which refers to it
    std::unique_ptr<table::Table> m_table;
};

} // namespace

bool CsvFormat::hasSignature(std::string_view) const
{
    return false;
}

bool CsvFormat::takesExtension(std::string_view extension) const
{
    return common::upperAscii(extension) == ".CSV";
}

std::unique_ptr<WorkbookFile> CsvFormat::open(const std::string& path, const common::FileBytes& bytes,
                                              const common::CodePage& codePage,
                                              const common::RegionalSettings& settings) const
{
    return std::make_unique<CsvFile>(path, bytes, codePage, settings);
}

} // namespace workbook
