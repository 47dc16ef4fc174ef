// Everything modal that a handler asks for, behind one interface, so that the
// pages can be driven in tests by scripted answers instead of real dialogs.
// Texts are bytes in the system code page; each view's dialogs convert them
// at their edge.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace pages {

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

// Filters are in the "label|pattern|label|pattern" form of the layouts
// (UTF-8 literals; the pages hand them over in the system code page).
inline const char* const kTextFileFilter = "文本文件|*.txt";
// The workbook formats the data layer opens, Excel's first (the default).
inline const char* const kExcelFileFilter =
    "Excel文件|*.xls;*.xlsx;*.xlsm|OpenDocument表格|*.ods|CSV文件|*.csv";

class Dialogs {
  public:
    virtual ~Dialogs() = default;

    // A file to open; nullopt on Cancel.
    virtual std::optional<std::string> openFile(const std::string& filter,
                                                const FileDialogOptions& options) = 0;
    // Several files to open, in the order the dialog lists them; nullopt on Cancel.
    virtual std::optional<std::vector<std::string>> openFiles(const std::string& filter,
                                                              const FileDialogOptions& options) = 0;
    // A file name to save under, used as typed (no extension added); nullopt on Cancel.
    virtual std::optional<std::string> saveFile(const std::string& filter,
                                                const FileDialogOptions& options) = 0;
    // The folder-browse dialog with an instruction text above the tree; an
    // absolute path on OK, nullopt on Cancel.
    virtual std::optional<std::string> browseForFolder(const std::string& instruction) = 0;
    // The "Select Directory" chooser with an editable path and folder creation,
    // opened on `initialPath`; nullopt on Cancel.
    virtual std::optional<std::string> selectDirectory(const std::string& initialPath) = 0;

    // The message box: caption "提示", one OK button, no icon.
    virtual void info(const std::string& text) = 0;
    // The default error box: the application title as caption, OK, stop icon.
    // `text` already has the full-stop rule applied.
    virtual void error(const std::string& text) = 0;
    // OK/Cancel (as for "Delete record?"); true on OK.
    virtual bool question(const std::string& text) = 0;
    // Yes/No; true on Yes.
    virtual bool yesNo(const std::string& text) = 0;
};

} // namespace pages
