// The window program on Windows: the component-object runtime, both windows
// created once, the main window shown, the event loop run until the main
// window is closed.
#include "app/win32/Application.h"
#include "app/win32/Form1View.h"
#include "app/win32/MessageLoop.h"
#include "app/win32/TForm1.h"
#include "app/win32/TcolnameForm.h"
#include "app/win32/Win32Dialogs.h"
#include "common/Error.h"
#include "pages/AppContext.h"

#include <windows.h>

#include <commctrl.h>
#include <ole2.h>

#include <memory>
#include <typeinfo>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand)
{
    // The shell's folder dialogs need the runtime in this thread's apartment.
    const bool oleReady = SUCCEEDED(OleInitialize(nullptr));
    INITCOMMONCONTROLSEX controls{sizeof controls,
                                  ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);

    win32::Win32Dialogs dialogs(win32::applicationTitle());
    std::unique_ptr<win32::TForm1> form1;
    std::unique_ptr<win32::TcolnameForm> colnameForm;
    try {
        form1 = std::make_unique<win32::TForm1>(dialogs, pages::userAppContext());
        colnameForm =
            std::make_unique<win32::TcolnameForm>(form1->handle(), dialogs, form1->view().ListBox1());
        form1->setColnameForm(colnameForm.get());
    } catch (const common::Error& e) {
        // Before the event loop an error cannot reach the default error box.
        win32::showStartupError("Error", e.what());
        return 1;
    } catch (const std::exception& e) {
        win32::showStartupError(typeid(e).name(), e.what());
        return 1;
    }

    // Maximised (3) or minimised and not active (7) as the process was started.
    ShowWindow(form1->handle(), showCommand);
    UpdateWindow(form1->handle());
    win32::runMessageLoop();

    form1->setColnameForm(nullptr);
    colnameForm.reset();
    form1.reset();
    if (oleReady)
        OleUninitialize();
    return 0;
}
