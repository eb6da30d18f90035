// The main window: preview pane, log pane, "Refresh", status bar, and the File and Help menus.
#pragma once

#include <windows.h>

#include <memory>
#include <string_view>

#include "session/SessionView.h"
#include "ui/MainMenu.h"
#include "win32/MenuBar.h"
#include "win32/OpenRoad.h"
#include "win32/PreviewPane.h"

namespace pelliton::win32 {

class MainWindow final : public SessionView {
public:
    // Creates the window, centred on the screen, and loads it; it is shown by the caller.
    MainWindow();
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HWND Handle() const { return hwnd_; }

    // The shortcut keys, and Tab between the controls, for a message on its way to this window;
    // true when it was handled here.
    bool TranslateKeys(MSG& message);

    void AddDebugLine(std::string_view text) override;
    void ClearLog() override;
    void SetStatusText(std::string_view text) override;

    LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    void OnCreate();
    void BuildControls();
    void UpdateCommands();
    void OnCommand(int id);

    void OnFileOpen();
    void OnFileQuit();
    void OnRefresh();
    void OnHelpAbout();

    HWND hwnd_ = nullptr;  // null once the window is closed
    AcceleratorTable accelerators_ = MakeAccelerators();
    HWND focused_ = nullptr;  // the control that gets the focus back when the window is activated
    HWND logPane_ = nullptr;
    HWND refreshButton_ = nullptr;
    PreviewPane previewPane_;
    HWND statusBar_ = nullptr;
    std::unique_ptr<OpenRoad> road_;  // made once the preview pane exists
    bool fileOpened_ = false;         // an open command has run to its end
};

}  // namespace pelliton::win32
