// Both windows as start-up creates them, over scripted dialogs and with fixed
// regional settings, code page (UTF-8) and current year.
#pragma once

#include "app/AppContext.h"
#include "app/windows/TForm1.h"
#include "app/windows/TcolnameForm.h"
#include "support/FakeDialogs.h"

#include <memory>

namespace testing_support {

// Year-month-day order with "/" (or the given separator), ":" for times.
app::AppContext fixedContext(char dateSeparator = '/');

struct WindowFixture {
    explicit WindowFixture(app::AppContext context = fixedContext());
    ~WindowFixture();

    FakeDialogs dialogs;
    std::unique_ptr<app::TForm1> form1;
    std::unique_ptr<app::TcolnameForm> colnameForm;
};

} // namespace testing_support
