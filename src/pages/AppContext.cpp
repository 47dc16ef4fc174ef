#include "pages/AppContext.h"

#include "common/Clock.h"
#include "common/Encoding.h"

namespace pages {

std::string AppContext::codePageText(std::string_view utf8) const
{
    return common::utf8ToCodePage(utf8, codePage);
}

AppContext userAppContext()
{
    return AppContext{common::CodePage::fromLocale(), common::loadUserRegionalSettings(),
                      common::currentLocalYear};
}

} // namespace pages
