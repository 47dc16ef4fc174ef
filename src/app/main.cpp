// The window program: the application object, both windows created once, the
// main window shown, the event loop run until the main window is closed.
#include "app/Application.h"
#include "app/QtDialogs.h"
#include "app/TextBridge.h"
#include "app/windows/TForm1.h"
#include "app/windows/TcolnameForm.h"
#include "common/Error.h"
#include "common/FileSizeLimit.h"
#include "pages/AppContext.h"

#include <QListWidget>

#include <QFileInfo>
#include <QMessageBox>

#include <memory>
#include <typeinfo>

namespace {

struct Windows {
    std::unique_ptr<app::TForm1> form1;
    std::unique_ptr<app::TcolnameForm> colnameForm;
};

Windows createWindows(pages::Dialogs& dialogs)
{
    Windows windows;
    pages::AppContext context = pages::userAppContext();
    app::setUiCodePage(context.codePage);
    windows.form1 = std::make_unique<app::TForm1>(dialogs, std::move(context));
    windows.colnameForm = std::make_unique<app::TcolnameForm>(dialogs, *windows.form1->ListBox1);
    windows.form1->setColnameForm(windows.colnameForm.get());
    return windows;
}

// Before the event loop runs an error cannot reach the default error box;
// the start-up box reports it and the program ends.
int showStartupError(const char* kind, const QString& message)
{
    const QString module = QFileInfo(QApplication::applicationFilePath()).fileName();
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Application Error"),
                    app::startupErrorText(QString::fromLatin1(kind), module,
                                          reinterpret_cast<const void*>(&createWindows), message),
                    QMessageBox::Ok);
    box.exec();
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    common::letFileSizeLimitFailWrites();
    app::Application application(argc, argv);
    app::QtDialogs dialogs(application.title());
    application.setDialogs(&dialogs);

    Windows windows;
    try {
        windows = createWindows(dialogs);
    } catch (const common::Error& e) {
        return showStartupError("Error", app::fromBytes(e.what()));
    } catch (const std::exception& e) {
        return showStartupError(typeid(e).name(), app::fromBytes(e.what()));
    }

    windows.form1->show();
    application.exec();
    application.setDialogs(nullptr);
    return 0;
}
