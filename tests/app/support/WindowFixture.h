// Both windows as start-up creates them, over scripted dialogs and with fixed
// regional settings, code page (UTF-8) and current year.
#pragma once

#include "app/windows/TForm1.h"
#include "app/windows/TcolnameForm.h"
#include "support/FakeDialogs.h"
#include "support/FixedContext.h"

#include <QListWidget>
#include <QString>
#include <QStringList>

#include <filesystem>
#include <memory>

namespace testing_support {

struct WindowFixture {
    explicit WindowFixture(pages::AppContext context = fixedContext());
    ~WindowFixture();

    FakeDialogs dialogs;
    std::unique_ptr<app::TForm1> form1;
    std::unique_ptr<app::TcolnameForm> colnameForm;
};

// A path as the window shows it (the test code page is UTF-8).
inline QString qPath(const std::filesystem::path& path)
{
    return QString::fromStdString(path.string());
}

// The controls that take no input while a conversion or an import runs.
QList<QWidget*> runBlockedControls(const app::TForm1& form);
// The object names of those of `controls` that are enabled.
QStringList enabledNames(const QList<QWidget*>& controls);

// The texts of a list's items, in order.
inline QStringList listItems(const QListWidget* list)
{
    QStringList result;
    for (int i = 0; i < list->count(); ++i)
        result << list->item(i)->text();
    return result;
}

} // namespace testing_support
