// Scripted dialogs for the window tests (support/ScriptedDialogs.h), holding
// texts as the windows show them: QString, converted from and to the page
// layer's bytes with the windows' code page.
#pragma once

#include "app/TextBridge.h"
#include "support/ScriptedDialogs.h"

#include <QString>
#include <QStringList>

namespace testing_support {

struct QtTexts {
    using Text = QString;
    using TextList = QStringList;
    static QString fromBytes(const std::string& bytes) { return app::fromBytes(bytes); }
    static std::string toBytes(const QString& text) { return app::toBytes(text); }
};

using FakeDialogs = ScriptedDialogs<QtTexts>;

} // namespace testing_support
