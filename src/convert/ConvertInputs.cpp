#include "convert/ConvertInputs.h"

#include "common/DateTimeParse.h"
#include "common/Encoding.h"
#include "convert/ConvertTexts.h"

namespace convert {

std::optional<std::string> firstFailedCheck(const ConvertInputs& inputs,
                                            const common::RegionalSettings& settings, int currentYear,
                                            const common::CodePage& codePage)
{
    const char* failed = nullptr;
    if (inputs.workbookPath.empty())
        failed = kNoWorkbookPath;
    else if (!inputs.workbookPathIsOpenBook)
        failed = kWorkbookNotOpen;
    else if (inputs.saveFolder.empty())
        failed = kNoSaveFolder;
    else if (!inputs.sheetOpen)
        failed = kNoSheet;
    else if (!inputs.codeColumnSelected)
        failed = kNoCodeColumn;
    else if (!common::parseDateTime(inputs.quoteDate, settings, currentYear))
        failed = kBadQuoteDate;
    else if (inputs.mappingCount == 0)
        failed = kNoMappings;
    if (!failed)
        return std::nullopt;
    return common::utf8ToCodePage(failed, codePage);
}

} // namespace convert
