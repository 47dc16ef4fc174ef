#include "xlsxwrite/XlsxWriter.h"

#include "common/WorkbookWriteBack.h"
#include "xlsxwrite/PackageWrite.h"

namespace xlsxwrite {

void writeCellsToFile(const std::string& path, std::size_t sheetIndex, const std::string& sheetName,
                      const std::vector<table::CellWrite>& cells, const common::CodePage& codePage)
{
    common::WorkbookRewrite rewrite;
    rewrite.make = [&](std::string_view original) {
        return writeCellsToPackage(original, sheetIndex, sheetName, cells, codePage);
    };
    rewrite.check = [&](std::string_view original, std::string_view written) {
        return differenceAfterWrite(original, written, sheetIndex, cells, codePage);
    };
    common::rewriteWorkbookFile(path, codePage, rewrite);
}

} // namespace xlsxwrite
