// What both pages of the main window share: the dialogs, the context, the
// window, the one-run-at-a-time rule and the options of the file-open dialog
// OpenDialog1, which every page hands to the dialogs on each use.
#pragma once

namespace pages {

struct AppContext;
class Dialogs;
struct FileDialogOptions;
class RunLock;
class WindowView;

struct SharedPageState {
    Dialogs& dialogs;
    const AppContext& context;
    WindowView& window;
    RunLock& runs;
    FileDialogOptions& openDialog1Options;
};

} // namespace pages
