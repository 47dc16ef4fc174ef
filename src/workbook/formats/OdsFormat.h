// OpenDocument spreadsheets (.ods): the reader of src/ods behind the data
// layer's format interface. Posted rows are refused: nothing is written.
#pragma once

#include "workbook/WorkbookFormat.h"

namespace workbook {

class OdsFormat : public WorkbookFormat {
  public:
    // A zip package whose first entry is "mimetype", stored, as
    // OpenDocument requires: any OpenDocument file, so that the reader can
    // say when it is no spreadsheet. It must come before the .xlsx format,
    // which takes any zip package.
    bool hasSignature(std::string_view firstBytes) const override;
    bool takesExtension(std::string_view extension) const override;
    std::unique_ptr<WorkbookFile> open(const std::string& path, const common::FileBytes& bytes,
                                       const common::CodePage& codePage,
                                       const common::RegionalSettings& settings) const override;
};

} // namespace workbook
