// Excel 97-2003 (.xls, and Excel 5.0/95 for reading): the reader of src/xls
// and the writer of src/xlswrite behind the data layer's format interface.
#pragma once

#include "workbook/WorkbookFormat.h"

namespace workbook {

class XlsFormat : public WorkbookFormat {
  public:
    bool hasSignature(std::string_view firstBytes) const override;
    bool takesExtension(std::string_view extension) const override;
    std::unique_ptr<WorkbookFile> open(const std::string& path, const common::FileBytes& bytes,
                                       const common::CodePage& codePage,
                                       const common::RegionalSettings& settings) const override;
};

} // namespace workbook
