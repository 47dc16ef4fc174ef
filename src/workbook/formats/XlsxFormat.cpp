#include "workbook/formats/XlsxFormat.h"

#include "common/Text.h"
#include "xlsx/Workbook.h"
#include "xlsxwrite/XlsxWriter.h"
#include "zip/ZipArchive.h"

namespace workbook {

namespace {

class XlsxFile : public WorkbookFile {
  public:
    XlsxFile(std::string path, std::unique_ptr<xlsx::Workbook> book, const common::CodePage& codePage)
        : m_path(std::move(path)), m_book(std::move(book)), m_codePage(codePage)
    {
    }

    std::vector<FileTable> tables() const override
    {
        std::vector<FileTable> tables;
        for (const xlsx::Sheet& sheet : m_book->sheets())
            tables.push_back({sheet.name});
        return tables;
    }

    table::Table& table(std::size_t index) override { return *m_book->sheet(index).table; }

    void writeCells(std::size_t index, const std::vector<table::CellWrite>& cells) override
    {
        xlsxwrite::writeCellsToFile(m_path, index, m_book->sheet(index).name, cells, m_codePage);
    }

  private:
    std::string m_path;
    std::unique_ptr<xlsx::Workbook> m_book;
    common::CodePage m_codePage;
};

} // namespace

bool XlsxFormat::hasSignature(std::string_view firstBytes) const
{
    return firstBytes.starts_with(zip::kSignature);
}

bool XlsxFormat::takesExtension(std::string_view extension) const
{
    const std::string upper = common::upperAscii(extension);
    return upper == ".XLSX" || upper == ".XLSM";
}

std::unique_ptr<WorkbookFile> XlsxFormat::open(const std::string& path, const common::FileBytes& bytes,
                                               const common::CodePage& codePage,
                                               const common::RegionalSettings& settings) const
{
    return std::make_unique<XlsxFile>(path, xlsx::Workbook::read(bytes.view(), codePage, settings), codePage);
}

} // namespace workbook
