// Comma-separated values (.csv): one table named after the file, read by
// src/csv and written back by it, behind the data layer's format interface.
#pragma once

#include "workbook/WorkbookFormat.h"

namespace workbook {

class CsvFormat : public WorkbookFormat {
  public:
    // A text file has no signature: only its extension names the format.
    bool hasSignature(std::string_view firstBytes) const override;
    bool takesExtension(std::string_view extension) const override;
    std::unique_ptr<WorkbookFile> open(const std::string& path, const common::FileBytes& bytes,
                                       const common::CodePage& codePage,
                                       const common::RegionalSettings& settings) const override;
};

} // namespace workbook
