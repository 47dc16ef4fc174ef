// The "Select Directory" chooser: a path box that takes a typed path (so a
// folder that does not exist yet can be named), the folder tree, the files of
// the folder picked, OK, Cancel and Help. OK on a missing folder asks whether
// to create it; creating it is left to the caller.
#pragma once

#include <QDialog>
#include <QString>

#include <optional>

class QComboBox;
class QLineEdit;
class QListWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace pages {
class Dialogs;
}

namespace app {

class SelectDirectoryDialog : public QDialog {
  public:
    // The dialog asks its question through `dialogs`, which must outlive it.
    SelectDirectoryDialog(pages::Dialogs& dialogs, const QString& startFolder, QWidget* parent = nullptr);

    // Shows the chooser modally; the text of the path box on OK, nothing on Cancel.
    static std::optional<QString> choose(pages::Dialogs& dialogs, const QString& startFolder,
                                         QWidget* parent);

    // The folder the chooser opens on: `requested` when it is a full path to a
    // folder that can be entered, else the process's current folder.
    static QString startingFolder(const QString& requested);

    // The path box's text, exactly as shown or typed.
    QString path() const;
    // Opens the tree on `folder` (its parents above it, its subfolders below)
    // and picks it.
    void showFolder(const QString& folder);

    void accept() override;

  private:
    void buildControls();
    void pickFolder(QTreeWidgetItem* item);
    void listFiles(const QString& folder);

    pages::Dialogs& m_dialogs;
    QLineEdit* m_pathEdit = nullptr;
    QComboBox* m_driveList = nullptr; // only where the platform has drive letters
    QTreeWidget* m_folderTree = nullptr;
    QListWidget* m_fileList = nullptr;
};

} // namespace app
