#include "xlswrite/XlsWriter.h"

#include "common/WorkbookWriteBack.h"
#include "xls/CompoundFile.h"
#include "xlswrite/CompoundFileWriter.h"
#include "xlswrite/WriteCheck.h"

namespace xlswrite {

void writeCellsToFile(const std::string& path, std::size_t sheetIndex, const std::string& sheetName,
                      const std::vector<table::CellWrite>& cells, const common::CodePage& codePage)
{
    common::WorkbookRewrite rewrite;
    rewrite.make = [&](std::string_view original) {
        std::size_t entry = 0;
        const std::string stream = workbookStreamOf(original, true, &entry);
        const std::string newStream = writeCellsToStream(stream, sheetIndex, sheetName, cells, codePage);
        const xls::CompoundFile compound(original);
        return rewriteCompoundFile(compound, original, entry, newStream);
    };
    rewrite.check = [&](std::string_view original, std::string_view written) {
        return differenceAfterWrite(original, written, sheetIndex, cells, codePage);
    };
    common::rewriteWorkbookFile(path, codePage, rewrite);
}

} // namespace xlswrite
