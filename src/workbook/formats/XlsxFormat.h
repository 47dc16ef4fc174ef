// Office Open XML workbooks (.xlsx, and .xlsm with its macros kept): the
// reader of src/xlsx and the writer of src/xlsxwrite behind the data
// layer's format interface.
#pragma once

#include "workbook/WorkbookFormat.h"

namespace workbook {

class XlsxFormat : public WorkbookFormat {
  public:
    bool hasSignature(std::string_view firstBytes) const override;
    bool takesExtension(std::string_view extension) const override;
    std::unique_ptr<WorkbookFile> open(const std::string& path, const common::FileBytes& bytes,
                                       const common::CodePage& codePage,
                                       const common::RegionalSettings& settings) const override;
};

} // namespace workbook
