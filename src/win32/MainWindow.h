// The main window: log pane, texture list, team colour buttons, preview pane, "Refresh", status bar,
// and the File, Texture, View and Help menus, over the window session every front end shares.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "session/WindowSession.h"
#include "ui/MainMenu.h"
#include "win32/MenuBar.h"
#include "win32/PreviewPane.h"
#include "win32/TeamColourButtons.h"
#include "win32/TextureList.h"
#include "win32/WindowDialogs.h"

namespace pelliton::win32 {

class MainWindow final : public SessionView {
public:
    // Creates the window at its designed size, centred on the screen; it is shown by the caller.
    // The recent files are kept in recentStore; every dialog and prompt comes from dialogs.
    MainWindow(RecentFilesStore& recentStore, WindowDialogs& dialogs, RuntimeFactory makeRuntime = MakeSoftwareRuntime);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HWND Handle() const { return hwnd_; }

    // The shortcut keys, and Tab between the controls, for a message on its way to this window;
    // true when it was handled here.
    bool TranslateKeys(MSG& message);

    // Opens the file (UTF-8) as every way of opening does: once unsaved changes are settled.
    void OpenFile(const std::string& path);

    void AddDebugLine(std::string_view text) override;
    void ClearLog() override;
    void SetStatusText(std::string_view text) override;

    LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    void OnCreate();
    void BuildControls();
    void PlaceControls(int clientWidth, int clientHeight);
    void ShowTextures();
    void ShowSessionState();
    bool ConfirmLeaving();
    void ShowFailure(const std::optional<std::string>& failure);
    void OnCommand(int id);
    void RunCommand(ui::MainCommand command);

    void OnFileOpen();
    void OnFileSave();
    void OnFileSaveAs();
    void OnFileExportAll(bool asPng);
    void OnFileQuit();
    void OnTextureReplace();
    void OnRefresh();
    void OnHelpAbout();
    void OnDropFiles(HDROP drop);
    void OnTeamColourButton(int index);

    RecentFilesStore& recentStore_;
    WindowDialogs& dialogs_;
    RuntimeFactory makeRuntime_;
    HWND hwnd_ = nullptr;  // null once the window is closed
    AcceleratorTable accelerators_ = MakeAccelerators();
    SIZE minimumSize_{};   // the window at its designed client size; none until it has been made so
    HWND focused_ = nullptr;  // the control that gets the focus back when the window is activated
    HWND logPane_ = nullptr;
    TextureList textureList_;
    TeamColourButtons teamColourButtons_;
    PreviewPane previewPane_;
    HWND refreshButton_ = nullptr;
    HWND statusBar_ = nullptr;
    std::unique_ptr<WindowSession> session_;  // made once the preview pane exists
    std::vector<std::string> recentShown_;    // what the File menu lists
};

}  // namespace pelliton::win32
