// What the pages hand to the core besides their controls' contents: the code
// page, the regional settings and the current year. Tests pass fixed ones.
#pragma once

#include "common/Clock.h"
#include "common/CodePage.h"
#include "common/RegionalSettings.h"

#include <string>
#include <string_view>

namespace pages {

struct AppContext {
    common::CodePage codePage;
    common::RegionalSettings settings;
    common::CurrentYear currentYear; // asked whenever a date is parsed

    // One of the system's own texts (a UTF-8 literal) in the code page.
    std::string codePageText(std::string_view utf8) const;
};

// The user's locale and the local clock.
AppContext userAppContext();

} // namespace pages
