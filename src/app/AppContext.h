// What the windows hand to the core besides their controls' contents: the code
// page, the regional settings and the clock. Tests pass fixed ones.
#pragma once

#include "common/CodePage.h"
#include "common/RegionalSettings.h"

#include <functional>

namespace app {

struct AppContext {
    common::CodePage codePage;
    common::RegionalSettings settings;
    std::function<int()> currentYear;
};

// The user's locale and the local clock.
AppContext userAppContext();

} // namespace app
