// Everything modal that a handler asks for, behind one interface, so that the
// windows can be driven in tests by scripted answers instead of real dialogs.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace app {

// The options of a file dialog. The main window keeps one set for its shared
// file-open dialog and hands it over on every use, because one handler's
// change (clearing them all) is seen by every later user of that dialog.
struct FileDialogOptions {
    bool allowMultiSelect = false;
    bool hideReadOnly = true;
    bool enableSizing = true;

    // No option at all: one file only, read-only box shown, not resizable.
    static FileDialogOptions none() { return {false, false, false}; }
    bool operator==(const FileDialogOptions&) const = default;
};

// Filters are in the "label|pattern|label|pattern" form of the layouts.
inline const char* const kTextFileFilter = "文本文件|*.txt";
inline const char* const kExcelFileFilter = "Excel文件|*.xls";

class Dialogs {
  public:
    virtual ~Dialogs() = default;

    // A file to open; nullopt on Cancel.
    virtual std::optional<QString> openFile(const QString& filter, const FileDialogOptions& options) = 0;
    // Several files to open, in the order the dialog lists them; nullopt on Cancel.
    virtual std::optional<QStringList> openFiles(const QString& filter, const FileDialogOptions& options) = 0;
    // A file name to save under, used as typed (no extension added); nullopt on Cancel.
    virtual std::optional<QString> saveFile(const QString& filter, const FileDialogOptions& options) = 0;
    // The folder-browse dialog with an instruction text above the tree; an
    // absolute path on OK, nullopt on Cancel.
    virtual std::optional<QString> browseForFolder(const QString& instruction) = 0;
    // The "Select Directory" chooser with an editable path and folder creation,
    // opened on `initialPath`; nullopt on Cancel.
    virtual std::optional<QString> selectDirectory(const QString& initialPath) = 0;

    // The message box: caption "提示", one OK button, no icon.
    virtual void info(const QString& text) = 0;
    // The default error box: the application title as caption, OK, stop icon.
    // `text` already has the full-stop rule applied.
    virtual void error(const QString& text) = 0;
    // OK/Cancel (as for "Delete record?"); true on OK.
    virtual bool question(const QString& text) = 0;
    // Yes/No; true on Yes.
    virtual bool yesNo(const QString& text) = 0;
};

} // namespace app
