// Starts the tool: one main window, the file named on the command line opened in it once it shows,
// and the process ends when the last of its windows closes.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "win32/AboutWindow.h"
#include "win32/CommandLine.h"
#include "win32/MainWindow.h"
#include "win32/NativeDialogs.h"
#include "win32/RegistryRecentFiles.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    // The whole command line, so that the program's own name is argument 0 however it was started.
    const pelliton::ui::WindowStart start = pelliton::win32::WindowStartFromCommandLine(GetCommandLineW());
    if (start.action != pelliton::ui::WindowStart::Action::kOpenWindow) {
        pelliton::win32::PrintToConsole(start.action == pelliton::ui::WindowStart::Action::kPrintHelp
                                            ? pelliton::ui::WindowHelpText()
                                            : pelliton::ui::WindowVersionText());
        return 0;
    }
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    // The folder dialog is a shell dialog: it needs COM on this thread.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);

    pelliton::win32::RegistryRecentFiles recentFiles;
    pelliton::win32::NativeDialogs dialogs;
    pelliton::win32::MainWindow window(recentFiles, dialogs);
    if (window.Handle() == nullptr) return 1;  // no window could be made (under Wine: no display)
    ShowWindow(window.Handle(), showCommand);
    UpdateWindow(window.Handle());
    if (start.file) window.OpenFile(*start.file);

    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (window.TranslateKeys(message) || pelliton::win32::AboutWindow::TranslateKeys(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    CoUninitialize();
    return static_cast<int>(message.wParam);
}
