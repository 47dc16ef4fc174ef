#include "app/win32/Win32Dialogs.h"

#include "app/win32/FileDialogText.h"
#include "app/win32/Win32Text.h"
#include "common/CodePage.h"
#include "common/Error.h"

#include <commdlg.h>
#include <shlobj.h>

#include <vector>

namespace win32 {

namespace {

// With multiple selection the names must fit this many characters, or the
// dialog returns as if cancelled.
constexpr DWORD kMultiSelectBuffer = 65519;

BOOL CALLBACK collectEnabled(HWND window, LPARAM list)
{
    if (IsWindowVisible(window) && IsWindowEnabled(window))
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

// Disables the application's other windows while a modal box or dialog owned
// by `owner` is up, and gives back the activation and the focus afterwards.
class ModalScope {
  public:
    ModalScope()
    {
        m_active = GetActiveWindow();
        m_focus = GetFocus();
        m_owner = m_active;
        EnumThreadWindows(GetCurrentThreadId(), collectEnabled, reinterpret_cast<LPARAM>(&m_disabled));
        for (HWND window : m_disabled) {
            if (window != m_owner)
                EnableWindow(window, FALSE);
        }
    }
    ~ModalScope()
    {
        for (HWND window : m_disabled) {
            if (IsWindow(window))
                EnableWindow(window, TRUE);
        }
        if (m_active && IsWindow(m_active))
            SetActiveWindow(m_active);
        if (m_focus && IsWindow(m_focus))
            SetFocus(m_focus);
    }
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

    HWND owner() const { return m_owner; }

  private:
    HWND m_active;
    HWND m_focus;
    HWND m_owner;
    std::vector<HWND> m_disabled;
};

DWORD fileDialogFlags(const pages::FileDialogOptions& options)
{
    DWORD flags = OFN_EXPLORER | OFN_NOCHANGEDIR;
    if (options.allowMultiSelect)
        flags |= OFN_ALLOWMULTISELECT;
    if (options.hideReadOnly)
        flags |= OFN_HIDEREADONLY;
    if (options.enableSizing)
        flags |= OFN_ENABLESIZING;
    return flags;
}

// Runs GetOpenFileNameA or GetSaveFileNameA; the chosen names, or none on Cancel.
std::optional<std::vector<std::string>> runFileDialog(bool save, const std::string& filter,
                                                      const pages::FileDialogOptions& options)
{
    ModalScope scope;
    const std::string filters = dialogFilter(filter);
    std::vector<char> buffer(options.allowMultiSelect ? kMultiSelectBuffer : MAX_PATH, '\0');
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = scope.owner();
    dialog.lpstrFilter = filters.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = static_cast<DWORD>(buffer.size());
    dialog.Flags = fileDialogFlags(options);
    const BOOL chosen = save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog);
    if (!chosen)
        return std::nullopt;
    std::vector<std::string> files =
        chosenFiles(buffer.data(), buffer.size(), common::CodePage(static_cast<int>(GetACP())));
    if (files.empty())
        return std::nullopt;
    return files;
}

std::optional<std::string> folderOf(LPITEMIDLIST item)
{
    if (!item)
        return std::nullopt;
    char path[MAX_PATH] = {};
    const BOOL ok = SHGetPathFromIDListA(item, path);
    CoTaskMemFree(item);
    if (!ok)
        return std::nullopt;
    return std::string(path);
}

// What the save folder's chooser keeps while it is open.
struct ChooserState {
    std::string initialPath;
    std::string selected;                 // the folder selected in the tree
    std::optional<std::string> typedPath; // a path typed into the path box, to be made if missing
    WNDPROC dialogProc = nullptr;
};

constexpr const char* kChooserState = "TarnvaleChooser";

bool folderExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// OK with a path typed into the path box: that path, completed against the
// selected folder when it is relative; a missing one is made after the
// user agrees. The shell takes the typed text only on some systems (Wine's
// dialog ignores it), so the chooser reads it itself.
bool acceptTypedPath(HWND dialog, ChooserState& state)
{
    HWND edit = FindWindowExA(dialog, nullptr, "Edit", nullptr);
    if (!edit)
        return true;
    const std::optional<std::string> typed =
        typedFolder(windowText(edit), state.selected, common::CodePage(static_cast<int>(GetACP())));
    if (!typed)
        return true; // the selected folder, as the box shows it
    const std::string& path = *typed;
    if (!folderExists(path) && MessageBoxA(dialog, "The specified directory does not exist. Create it?",
                                           "Confirm", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return false; // the chooser stays open
    state.typedPath = path;
    return true;
}

LRESULT CALLBACK chooserProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto& state = *static_cast<ChooserState*>(GetPropA(dialog, kChooserState));
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK && !acceptTypedPath(dialog, state))
        return 0;
    return CallWindowProcA(state.dialogProc, dialog, message, wParam, lParam);
}

int CALLBACK chooserCallback(HWND dialog, UINT message, LPARAM parameter, LPARAM data)
{
    auto& state = *reinterpret_cast<ChooserState*>(data);
    if (message == BFFM_INITIALIZED) {
        SetPropA(dialog, kChooserState, &state);
        state.dialogProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&chooserProc)));
        if (!state.initialPath.empty())
            SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE,
                         reinterpret_cast<LPARAM>(state.initialPath.c_str()));
    } else if (message == BFFM_SELCHANGED) {
        char path[MAX_PATH] = {};
        state.selected = SHGetPathFromIDListA(reinterpret_cast<LPITEMIDLIST>(parameter), path) ? path : "";
    }
    return 0;
}

// The folder the chooser starts in: the given one when it can be entered,
// otherwise the process's current folder.
std::string startFolder(const std::string& initialPath)
{
    std::string folder = initialPath;
    while (folder.size() > 3 && (folder.back() == '\\' || folder.back() == '/'))
        folder.pop_back();
    const DWORD attributes = folder.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(folder.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return folder;
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, current);
    return current;
}

} // namespace

int showMessageBox(const std::string& text, const std::string& caption, UINT style)
{
    ModalScope scope;
    return MessageBoxA(scope.owner(), text.c_str(), caption.c_str(), style | MB_APPLMODAL);
}

std::optional<std::string> Win32Dialogs::openFile(const std::string& filter,
                                                  const pages::FileDialogOptions& options)
{
    pages::FileDialogOptions single = options;
    single.allowMultiSelect = false;
    const auto files = runFileDialog(false, filter, single);
    if (!files)
        return std::nullopt;
    return files->front();
}

std::optional<std::vector<std::string>> Win32Dialogs::openFiles(const std::string& filter,
                                                                const pages::FileDialogOptions& options)
{
    return runFileDialog(false, filter, options);
}

std::optional<std::string> Win32Dialogs::saveFile(const std::string& filter,
                                                  const pages::FileDialogOptions& options)
{
    pages::FileDialogOptions single = options;
    single.allowMultiSelect = false;
    const auto files = runFileDialog(true, filter, single);
    if (!files)
        return std::nullopt;
    return files->front();
}

std::optional<std::string> Win32Dialogs::browseForFolder(const std::string& instruction)
{
    ModalScope scope;
    BROWSEINFOA browse{};
    browse.hwndOwner = scope.owner();
    browse.lpszTitle = instruction.c_str();
    browse.ulFlags = BIF_RETURNONLYFSDIRS;
    // No critical-error boxes (a drive without a medium) while it is open.
    const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    LPITEMIDLIST item = SHBrowseForFolderA(&browse);
    SetErrorMode(oldMode);
    return folderOf(item);
}

std::optional<std::string> Win32Dialogs::selectDirectory(const std::string& initialPath)
{
    ModalScope scope;
    ChooserState state;
    state.initialPath = startFolder(initialPath);
    const std::string title = "Select Directory";
    BROWSEINFOA browse{};
    browse.hwndOwner = scope.owner();
    browse.lpszTitle = title.c_str();
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_NEWDIALOGSTYLE;
    browse.lpfn = chooserCallback;
    browse.lParam = reinterpret_cast<LPARAM>(&state);
    const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    LPITEMIDLIST item = SHBrowseForFolderA(&browse);
    SetErrorMode(oldMode);
    if (item && state.typedPath) {
        CoTaskMemFree(item);
        // Made with every missing parent; a folder that cannot be made shows
        // up when a run tries to enter it.
        SHCreateDirectoryExA(nullptr, state.typedPath->c_str(), nullptr);
        return state.typedPath;
    }
    std::optional<std::string> folder = folderOf(item);
    return folder;
}

void Win32Dialogs::info(const std::string& text)
{
    showMessageBox(text, ansi("提示"), MB_OK);
}

void Win32Dialogs::error(const std::string& text)
{
    showMessageBox(text, m_title, MB_OK | MB_ICONSTOP);
}

bool Win32Dialogs::question(const std::string& text)
{
    return showMessageBox(text, m_title, MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}

bool Win32Dialogs::yesNo(const std::string& text)
{
    return showMessageBox(text, m_title, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

} // namespace win32
