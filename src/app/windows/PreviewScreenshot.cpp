#include "app/windows/PreviewScreenshot.h"

#include "app/AppContext.h"
#include "app/Dialogs.h"
#include "app/windows/TForm1.h"
#include "app/windows/TcolnameForm.h"

#include <QApplication>
#include <QComboBox>
#include <QPixmap>
#include <QPushButton>

#include <cstdio>
#include <filesystem>

namespace app {

namespace {

// Answers the one file question with the workbook; nothing may wait for a
// user here, so every other question is cancelled and messages are printed.
class ScriptedDialogs : public Dialogs {
  public:
    explicit ScriptedDialogs(QString workbook) : m_workbook(std::move(workbook)) {}

    bool failed() const { return m_failed; }

    std::optional<QString> openFile(const QString&, const FileDialogOptions&) override { return m_workbook; }
    std::optional<QStringList> openFiles(const QString&, const FileDialogOptions&) override { return {}; }
    std::optional<QString> saveFile(const QString&, const FileDialogOptions&) override { return {}; }
    std::optional<QString> browseForFolder(const QString&) override { return {}; }
    std::optional<QString> selectDirectory(const QString&) override { return {}; }
    void info(const QString& text) override { report(text); }
    void error(const QString& text) override { report(text); }
    bool question(const QString&) override { return false; }
    bool yesNo(const QString&) override { return false; }

  private:
    void report(const QString& text)
    {
        std::fprintf(stderr, "%s\n", qPrintable(text));
        m_failed = true;
    }

    QString m_workbook;
    bool m_failed = false;
};

} // namespace

QString sampleWorkbookPath()
{
    // This file lies in src/app/windows of the source tree.
    const std::filesystem::path root =
        std::filesystem::path(__FILE__).parent_path().parent_path().parent_path().parent_path();
    return QString::fromStdString((root / "tests" / "data" / "Quotes.xls").string());
}

bool savePreviewScreenshot(const QString& workbookPath, const QString& pngPath)
{
    ScriptedDialogs dialogs(workbookPath);
    TForm1 form(dialogs, userAppContext());
    TcolnameForm colnameForm(dialogs, *form.ListBox1);
    form.setColnameForm(&colnameForm);
    form.show();

    form.Browse1Button->click();
    if (form.TableNameComboBox->count() > 0) {
        form.TableNameComboBox->setCurrentIndex(0);
        emit form.TableNameComboBox->activated(0);
    } else if (!dialogs.failed()) {
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
    return saved && !dialogs.failed();
}

} // namespace app
