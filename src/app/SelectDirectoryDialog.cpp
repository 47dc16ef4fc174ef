#include "app/SelectDirectoryDialog.h"

#include "app/TextBridge.h"
#include "pages/Dialogs.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

namespace app {

namespace {

const QString kTitle = QStringLiteral("Select Directory");
const QString kPathLabel = QStringLiteral("Directory &Name:");
const QString kDrivesLabel = QStringLiteral("D&rives:");
const QString kTreeLabel = QStringLiteral("&Directories:");
const QString kFilesLabel = QStringLiteral("&Files: (*.*)");
const QString kCreateQuestion = QStringLiteral("The specified directory does not exist. Create it?");
// The chooser's Help button has no help file to open, so it explains itself.
const QString kHelpText = QStringLiteral(
    "Type the folder in Directory Name, or pick it in Directories (double-click a folder to open it). "
    "A folder that does not exist yet is created when you press OK.");
constexpr int kPathRole = Qt::UserRole;

// A full path without a trailing separator, except for a root ("/", "C:\").
QString shownPath(const QString& folder)
{
    return QDir::toNativeSeparators(QDir::cleanPath(QDir(folder).absolutePath()));
}

bool isFolder(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

QLabel* labelFor(const QString& text, QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

SelectDirectoryDialog::SelectDirectoryDialog(pages::Dialogs& dialogs, const QString& startFolder,
                                             QWidget* parent)
    : QDialog(parent), m_dialogs(dialogs)
{
    setWindowTitle(kTitle);
    setObjectName(QStringLiteral("SelectDirectoryDialog"));
    buildControls();
    showFolder(startingFolder(startFolder));
}

std::optional<QString> SelectDirectoryDialog::choose(pages::Dialogs& dialogs, const QString& startFolder,
                                                     QWidget* parent)
{
    SelectDirectoryDialog dialog(dialogs, startFolder, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.path();
}

QString SelectDirectoryDialog::startingFolder(const QString& requested)
{
    const QFileInfo info(requested);
    // "Can be entered": a folder whose search permission we hold.
    if (!requested.isEmpty() && QDir::isAbsolutePath(requested) && info.isDir() && info.isExecutable())
        return shownPath(requested);
    return shownPath(QDir::currentPath());
}

void SelectDirectoryDialog::buildControls()
{
    m_pathEdit = new QLineEdit(this);
    m_pathEdit->setObjectName(QStringLiteral("DirectoryNameEdit"));
    m_folderTree = new QTreeWidget(this);
    m_folderTree->setObjectName(QStringLiteral("DirectoryTree"));
    m_folderTree->setHeaderHidden(true);
    m_fileList = new QListWidget(this);
    m_fileList->setObjectName(QStringLiteral("FileList"));
    m_fileList->setSelectionMode(QAbstractItemView::NoSelection);

    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, Qt::Vertical, this);
    buttons->setObjectName(QStringLiteral("Buttons"));

    auto* layout = new QGridLayout(this);
    layout->addWidget(labelFor(kPathLabel, m_pathEdit, this), 0, 0, 1, 2);
    layout->addWidget(m_pathEdit, 1, 0, 1, 2);
    layout->addWidget(labelFor(kTreeLabel, m_folderTree, this), 2, 0);
    layout->addWidget(labelFor(kFilesLabel, m_fileList, this), 2, 1);
    layout->addWidget(m_folderTree, 3, 0);
    layout->addWidget(m_fileList, 3, 1);
#ifdef Q_OS_WIN
    m_driveList = new QComboBox(this);
    m_driveList->setObjectName(QStringLiteral("DriveList"));
    for (const QFileInfo& drive : QDir::drives())
        m_driveList->addItem(QDir::toNativeSeparators(drive.absolutePath()));
    layout->addWidget(labelFor(kDrivesLabel, m_driveList, this), 4, 0);
    layout->addWidget(m_driveList, 5, 0);
    connect(m_driveList, &QComboBox::activated, this,
            [this](int index) { showFolder(m_driveList->itemText(index)); });
#endif
    layout->addWidget(buttons, 0, 2, 4, 1, Qt::AlignTop);
    resize(520, 360);

    connect(buttons, &QDialogButtonBox::accepted, this, &SelectDirectoryDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SelectDirectoryDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [this] { m_dialogs.info(toBytes(kHelpText)); });
    connect(m_folderTree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { pickFolder(item); });
    connect(m_folderTree, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { showFolder(item->data(0, kPathRole).toString()); });
}

void SelectDirectoryDialog::showFolder(const QString& folder)
{
    QStringList chain; // the folder, then each parent up to the root
    QDir dir(QDir(folder).absolutePath());
    chain.prepend(shownPath(dir.absolutePath()));
    while (!dir.isRoot() && dir.cdUp())
        chain.prepend(shownPath(dir.absolutePath()));

    m_folderTree->clear();
    QTreeWidgetItem* item = nullptr;
    for (const QString& path : chain) {
        const QString name = item ? QFileInfo(path).fileName() : path;
        item = item ? new QTreeWidgetItem(item, {name}) : new QTreeWidgetItem(m_folderTree, {name});
        item->setData(0, kPathRole, path);
    }
    const QStringList subfolders =
        QDir(chain.last()).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : subfolders) {
        auto* child = new QTreeWidgetItem(item, {name});
        child->setData(0, kPathRole, shownPath(QDir(chain.last()).filePath(name)));
    }
    m_folderTree->expandAll();
    m_folderTree->setCurrentItem(item);
    pickFolder(item);
}

void SelectDirectoryDialog::pickFolder(QTreeWidgetItem* item)
{
    if (!item)
        return;
    const QString folder = item->data(0, kPathRole).toString();
    m_pathEdit->setText(folder);
    listFiles(folder);
}

void SelectDirectoryDialog::listFiles(const QString& folder)
{
    m_fileList->clear();
    m_fileList->addItems(QDir(folder).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase));
}

QString SelectDirectoryDialog::path() const
{
    return m_pathEdit->text();
}

void SelectDirectoryDialog::accept()
{
    // No keeps the chooser open, so that the user can correct the path.
    if (!isFolder(path()) && !m_dialogs.yesNo(toBytes(kCreateQuestion)))
        return;
    QDialog::accept();
}

} // namespace app
