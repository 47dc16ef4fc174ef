#include "app/AppContext.h"

#include "common/Clock.h"

namespace app {

AppContext userAppContext()
{
    return AppContext{common::CodePage::fromLocale(), common::loadUserRegionalSettings(),
                      common::currentLocalYear};
}

} // namespace app
