#include "app/QtDialogs.h"

#include "app/SelectDirectoryDialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>

namespace app {

QString qtFilter(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        filters << QStringLiteral("%1 (%2)").arg(parts[i], QString(parts[i + 1]).replace(';', ' '));
    return filters.join(QStringLiteral(";;"));
}

std::unique_ptr<QMessageBox> makeInfoBox(const QString& text)
{
    auto box = std::make_unique<QMessageBox>(QMessageBox::NoIcon, QStringLiteral("提示"), text,
                                             QMessageBox::Ok, QApplication::activeWindow());
    box->setWindowModality(Qt::ApplicationModal);
    return box;
}

std::unique_ptr<QMessageBox> makeErrorBox(const QString& title, const QString& text)
{
    auto box = std::make_unique<QMessageBox>(QMessageBox::Critical, title, text, QMessageBox::Ok,
                                             QApplication::activeWindow());
    box->setWindowModality(Qt::ApplicationModal);
    return box;
}

namespace {

// Runs a box modal to the whole application, then gives the activation and the
// focus back to where they were, as the message box convention requires.
int execRestoringFocus(QDialog& dialog)
{
    QPointer<QWidget> active = QApplication::activeWindow();
    QPointer<QWidget> focus = QApplication::focusWidget();
    const int result = dialog.exec();
    if (active)
        active->activateWindow();
    if (focus)
        focus->setFocus(Qt::OtherFocusReason);
    return result;
}

void applyOptions(QFileDialog& dialog, const QString& filter, const FileDialogOptions& options)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilter(qtFilter(filter));
    dialog.setSizeGripEnabled(options.enableSizing);
    // Qt's dialog has no read-only check box: hideReadOnly has nothing to hide.
}

std::optional<QStringList> execFileDialog(QFileDialog& dialog)
{
    if (execRestoringFocus(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles();
}

} // namespace

QtDialogs::QtDialogs(QString title) : m_title(std::move(title)) {}

std::optional<QString> QtDialogs::openFile(const QString& filter, const FileDialogOptions& options)
{
    QFileDialog dialog(QApplication::activeWindow());
    applyOptions(dialog, filter, options);
    // The file need not exist: a typed name goes to the handler, which reports it.
    dialog.setFileMode(QFileDialog::AnyFile);
    const auto files = execFileDialog(dialog);
    if (!files)
        return std::nullopt;
    return files->first();
}

std::optional<QStringList> QtDialogs::openFiles(const QString& filter, const FileDialogOptions& options)
{
    QFileDialog dialog(QApplication::activeWindow());
    applyOptions(dialog, filter, options);
    dialog.setFileMode(options.allowMultiSelect ? QFileDialog::ExistingFiles : QFileDialog::AnyFile);
    return execFileDialog(dialog);
}

std::optional<QString> QtDialogs::saveFile(const QString& filter, const FileDialogOptions& options)
{
    QFileDialog dialog(QApplication::activeWindow());
    applyOptions(dialog, filter, options);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // An existing file is replaced without asking; no extension is added.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const auto files = execFileDialog(dialog);
    if (!files)
        return std::nullopt;
    return files->first();
}

std::optional<QString> QtDialogs::browseForFolder(const QString& instruction)
{
    QFileDialog dialog(QApplication::activeWindow(), instruction);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setLabelText(QFileDialog::LookIn, instruction);
    const auto folders = execFileDialog(dialog);
    if (!folders)
        return std::nullopt;
    return folders->first();
}

std::optional<QString> QtDialogs::selectDirectory(const QString& initialPath)
{
    return SelectDirectoryDialog::choose(*this, initialPath, QApplication::activeWindow());
}

void QtDialogs::info(const QString& text)
{
    auto box = makeInfoBox(text);
    execRestoringFocus(*box);
}

void QtDialogs::error(const QString& text)
{
    auto box = makeErrorBox(m_title, text);
    execRestoringFocus(*box);
}

bool QtDialogs::question(const QString& text)
{
    QMessageBox box(QMessageBox::Question, m_title, text, QMessageBox::Ok | QMessageBox::Cancel,
                    QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    return execRestoringFocus(box) == QMessageBox::Ok;
}

bool QtDialogs::yesNo(const QString& text)
{
    QMessageBox box(QMessageBox::Question, m_title, text, QMessageBox::Yes | QMessageBox::No,
                    QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    return execRestoringFocus(box) == QMessageBox::Yes;
}

} // namespace app
