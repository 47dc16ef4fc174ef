#include "support/WindowFixture.h"

#include "app/TextBridge.h"

#include <QListWidget>

namespace testing_support {

app::AppContext fixedContext(char dateSeparator)
{
    common::RegionalSettings settings;
    settings.dateSeparator = dateSeparator;
    settings.shortDateFormat = std::string("yyyy") + dateSeparator + "MM" + dateSeparator + "dd";
    settings.timeSeparator = ':';
    settings.decimalSeparator = '.';
    return app::AppContext{common::CodePage(65001), settings, [] { return 2026; }};
}

WindowFixture::WindowFixture(app::AppContext context)
{
    app::setUiCodePage(context.codePage);
    form1 = std::make_unique<app::TForm1>(dialogs, std::move(context));
    colnameForm = std::make_unique<app::TcolnameForm>(dialogs, *form1->ListBox1);
    form1->setColnameForm(colnameForm.get());
}

WindowFixture::~WindowFixture()
{
    // The dialog refers to the main window's list: it goes first.
    form1->setColnameForm(nullptr);
    colnameForm.reset();
    form1.reset();
}

} // namespace testing_support
