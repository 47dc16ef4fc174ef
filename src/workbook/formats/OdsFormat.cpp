#include "workbook/formats/OdsFormat.h"

#include "common/Error.h"
#include "common/FormatMessage.h"
#include "common/Text.h"
#include "ods/Workbook.h"
#include "workbook/WorkbookMessages.h"
#include "zip/ZipArchive.h"

namespace workbook {

namespace {

// The first local header's name: its length at offset 26, the name at 30.
constexpr std::size_t kNameLengthOffset = 26;
constexpr std::size_t kNameOffset = 30;
constexpr std::string_view kMediaTypeEntry = "mimetype";

class OdsFile : public WorkbookFile {
  public:
    OdsFile(std::string path, std::unique_ptr<ods::Workbook> book)
        : m_path(std::move(path)), m_book(std::move(book))
    {
    }

    std::vector<FileTable> tables() const override
    {
        std::vector<FileTable> tables;
        for (const ods::Sheet& sheet : m_book->sheets())
            tables.push_back({sheet.name});
        return tables;
    }

    table::Table& table(std::size_t index) override { return *m_book->sheets().at(index).table; }

    void writeCells(std::size_t, const std::vector<table::CellWrite>&) override
    {
        throw common::Error(common::formatMessage(kOdsTakesNoPosts, {m_path}));
    }

  private:
    std::string m_path;
    std::unique_ptr<ods::Workbook> m_book;
};

} // namespace

bool OdsFormat::hasSignature(std::string_view firstBytes) const
{
    if (!firstBytes.starts_with(zip::kSignature) || firstBytes.size() < kNameOffset)
        return false;
    const std::size_t nameLength =
        static_cast<unsigned char>(firstBytes[kNameLengthOffset]) |
        static_cast<std::size_t>(static_cast<unsigned char>(firstBytes[kNameLengthOffset + 1])) << 8;
    return firstBytes.substr(kNameOffset, nameLength) == kMediaTypeEntry;
}

bool OdsFormat::takesExtension(std::string_view extension) const
{
    return common::upperAscii(extension) == ".ODS";
}

std::unique_ptr<WorkbookFile> OdsFormat::open(const std::string& path, const common::FileBytes& bytes,
                                              const common::CodePage& codePage,
                                              const common::RegionalSettings& settings) const
{
    return std::make_unique<OdsFile>(path, ods::Workbook::read(bytes.view(), codePage, settings));
}

} // namespace workbook
