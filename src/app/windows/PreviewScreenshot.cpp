#include "app/windows/PreviewScreenshot.h"

#include "app/TextBridge.h"
#include "app/windows/TForm1.h"
#include "app/windows/TcolnameForm.h"
#include "pages/AppContext.h"
#include "pages/UnattendedDialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QPixmap>
#include <QPushButton>

#include <cstdio>
#include <filesystem>

namespace app {

QString sampleWorkbookPath()
{
    // This file lies in src/app/windows of the source tree.
    const std::filesystem::path root =
        std::filesystem::path(__FILE__).parent_path().parent_path().parent_path().parent_path();
    return QString::fromStdString((root / "tests" / "data" / "Quotes.xls").string());
}

bool savePreviewScreenshot(const QString& workbookPath, const QString& pngPath)
{
    // Nothing may wait for a user here: the workbook is the one file chosen.
    pages::UnattendedDialogs dialogs(toBytes(workbookPath));
    TForm1 form(dialogs, pages::userAppContext());
    TcolnameForm colnameForm(dialogs, *form.ListBox1);
    form.setColnameForm(&colnameForm);
    form.show();

    form.Browse1Button->click();
    if (form.TableNameComboBox->count() > 0) {
        form.TableNameComboBox->setCurrentIndex(0);
        emit form.TableNameComboBox->activated(0);
    } else if (dialogs.messages().empty()) {
        std::fprintf(stderr, "%s lists no sheet\n", qPrintable(workbookPath));
        return false;
    }
    QApplication::processEvents();
    const bool saved = form.grab().save(pngPath, "PNG");
    if (saved)
        std::printf("%s\n", qPrintable(pngPath));
    else
        std::fprintf(stderr, "cannot write %s\n", qPrintable(pngPath));
    form.setColnameForm(nullptr);
    return saved && dialogs.messages().empty();
}

} // namespace app
