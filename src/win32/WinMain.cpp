// Starts the tool: one main window, and the process ends when the last of its windows closes.
#include <windows.h>

#include <commctrl.h>

#include "win32/AboutWindow.h"
#include "win32/MainWindow.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    pelliton::win32::MainWindow window;
    if (window.Handle() == nullptr) return 1;  // no window could be made (under Wine: no display)
    ShowWindow(window.Handle(), showCommand);

    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (window.TranslateKeys(message) || pelliton::win32::AboutWindow::TranslateKeys(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
