// What the windows hand to the core besides their controls' contents: the code
// page, the regional settings and the current year. Tests pass fixed ones.
#pragma once

#include "common/Clock.h"
#include "common/CodePage.h"
#include "common/RegionalSettings.h"

namespace app {

struct AppContext {
    common::CodePage codePage;
    common::RegionalSettings settings;
    common::CurrentYear currentYear; // asked whenever a date is parsed
};

// The user's locale and the local clock.
AppContext userAppContext();

} // namespace app
