#include "workbook/formats/XlsFormat.h"

#include "common/Text.h"
#include "xls/CompoundFile.h"
#include "xls/Workbook.h"
#include "xlswrite/XlsWriter.h"

namespace workbook {

namespace {

class XlsFile : public WorkbookFile {
  public:
    XlsFile(std::string path, std::unique_ptr<xls::Workbook> book, const common::CodePage& codePage)
        : m_path(std::move(path)), m_book(std::move(book)), m_codePage(codePage)
    {
    }

    std::vector<FileTable> tables() const override
    {
        std::vector<FileTable> tables;
        for (const xls::Sheet& sheet : m_book->sheets())
            tables.push_back({sheet.name});
        return tables;
    }

    table::Table& table(std::size_t index) override { return *m_book->sheet(index).table; }

    void writeCells(std::size_t index, const std::vector<table::CellWrite>& cells) override
    {
        xlswrite::writeCellsToFile(m_path, index, m_book->sheet(index).name, cells, m_codePage);
    }

  private:
    std::string m_path;
    std::unique_ptr<xls::Workbook> m_book;
    common::CodePage m_codePage;
};

} // namespace

bool XlsFormat::hasSignature(std::string_view firstBytes) const
{
    return firstBytes.starts_with(xls::cfb::kSignature);
}

bool XlsFormat::takesExtension(std::string_view extension) const
{
    return common::upperAscii(extension) == ".XLS";
}

std::unique_ptr<WorkbookFile> XlsFormat::open(const std::string& path, const common::FileBytes& bytes,
                                              const common::CodePage& codePage,
                                              const common::RegionalSettings& settings) const
{
    return std::make_unique<XlsFile>(path, xls::Workbook::read(bytes.view(), codePage, settings), codePage);
}

} // namespace workbook
