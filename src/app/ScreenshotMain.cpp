// Renders both windows and both pages of the main window offscreen into PNG
// files, so that the layout can be looked at without a display:
//   tarnvale-screenshots [folder]   (default "screenshots")
#include "app/Application.h"
#include "app/QtDialogs.h"
#include "app/TextBridge.h"
#include "app/windows/PreviewScreenshot.h"
#include "app/windows/TForm1.h"
#include "app/windows/TcolnameForm.h"
#include "pages/AppContext.h"

#include <QDir>
#include <QListWidget>
#include <QPixmap>
#include <QTabWidget>

#include <cstdio>

namespace {

bool save(QWidget& widget, const QDir& folder, const char* name)
{
    QApplication::processEvents();
    const QString path = folder.filePath(QString::fromLatin1(name));
    if (!widget.grab().save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    app::Application application(argc, argv);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots"));
    if (!QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(folder.path()));
        return 1;
    }
    app::QtDialogs dialogs(application.title());
    pages::AppContext context = pages::userAppContext();
    app::setUiCodePage(context.codePage);
    app::TForm1 form1(dialogs, std::move(context));
    app::TcolnameForm colnameForm(dialogs, *form1.ListBox1);
    form1.setColnameForm(&colnameForm);

    form1.show();
    bool ok = save(form1, folder, "Form1-Excel.png");
    ok = app::savePreviewScreenshot(app::sampleWorkbookPath(),
                                    folder.filePath(QStringLiteral("Form1-Preview.png"))) &&
         ok;
    form1.help->setCurrentWidget(form1.TabSheet2);
    ok = save(form1, folder, "Form1-Import.png") && ok;
    colnameForm.show();
    ok = save(colnameForm, folder, "colnameForm.png") && ok;
    return ok ? 0 : 1;
}
