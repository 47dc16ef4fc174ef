#include "app/QtDialogs.h"

#include "app/SelectDirectoryDialog.h"
#include "app/TextBridge.h"

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

void applyOptions(QFileDialog& dialog, const std::string& filter, const pages::FileDialogOptions& options)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilter(qtFilter(fromBytes(filter)));
    dialog.setSizeGripEnabled(options.enableSizing);
    // Qt's dialog has no read-only check box: hideReadOnly has nothing to hide.
}

std::optional<std::vector<std::string>> execFileDialog(QFileDialog& dialog)
{
    if (execRestoringFocus(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    std::vector<std::string> files;
    for (const QString& file : dialog.selectedFiles())
        files.push_back(toBytes(file));
    return files;
}

} // namespace

QtDialogs::QtDialogs(QString title) : m_title(std::move(title)) {}

std::optional<std::string> QtDialogs::openFile(const std::string& filter,
                                               const pages::FileDialogOptions& options)
{
    QFileDialog dialog(QApplication::activeWindow());
    applyOptions(dialog, filter, options);
    // The file need not exist: a typed name goes to the handler, which reports it.
    dialog.setFileMode(QFileDialog::AnyFile);
    const auto files = execFileDialog(dialog);
    if (!files)
        return std::nullopt;
    return files->front();
}

std::optional<std::vector<std::string>> QtDialogs::openFiles(const std::string& filter,
                                                             const pages::FileDialogOptions& options)
{
    QFileDialog dialog(QApplication::activeWindow());
    applyOptions(dialog, filter, options);
    dialog.setFileMode(options.allowMultiSelect ? QFileDialog::ExistingFiles : QFileDialog::AnyFile);
    return execFileDialog(dialog);
}

std::optional<std::string> QtDialogs::saveFile(const std::string& filter,
                                               const pages::FileDialogOptions& options)
{
    QFileDialog dialog(QApplication::activeWindow());
    applyOptions(dialog, filter, options);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // An existing file is replaced without asking; no extension is added.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const auto files = execFileDialog(dialog);
    if (!files)
        return std::nullopt;
    return files->front();
}

std::optional<std::string> QtDialogs::browseForFolder(const std::string& instruction)
{
    const QString text = fromBytes(instruction);
    QFileDialog dialog(QApplication::activeWindow(), text);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setLabelText(QFileDialog::LookIn, text);
    const auto folders = execFileDialog(dialog);
    if (!folders)
        return std::nullopt;
    return folders->front();
}

std::optional<std::string> QtDialogs::selectDirectory(const std::string& initialPath)
{
    const auto chosen =
        SelectDirectoryDialog::choose(*this, fromBytes(initialPath), QApplication::activeWindow());
    if (!chosen)
        return std::nullopt;
    return toBytes(*chosen);
}

void QtDialogs::info(const std::string& text)
{
    auto box = makeInfoBox(fromBytes(text));
    execRestoringFocus(*box);
}

void QtDialogs::error(const std::string& text)
{
    auto box = makeErrorBox(m_title, fromBytes(text));
    execRestoringFocus(*box);
}

bool QtDialogs::question(const std::string& text)
{
    QMessageBox box(QMessageBox::Question, m_title, fromBytes(text), QMessageBox::Ok | QMessageBox::Cancel,
                    QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    return execRestoringFocus(box) == QMessageBox::Ok;
}

bool QtDialogs::yesNo(const std::string& text)
{
    QMessageBox box(QMessageBox::Question, m_title, fromBytes(text), QMessageBox::Yes | QMessageBox::No,
                    QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    return execRestoringFocus(box) == QMessageBox::Yes;
}

} // namespace app
