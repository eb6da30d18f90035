// The main window: preview pane, log pane, "Refresh", status bar, and the File and Help menus.
#include "win32/MainWindow.h"

#include <commctrl.h>

#include <cstdlib>

#include "ui/MainWindowLayout.h"
#include "ui/VersionedTexts.h"
#include "win32/AboutWindow.h"
#include "win32/ControlIds.h"
#include "win32/Controls.h"
#include "win32/LogEdit.h"
#include "win32/OpenDialog.h"
#include "win32/OpenWindows.h"
#include "win32/PlainMessage.h"
#include "win32/WideText.h"
#include "win32/WindowProcedure.h"

namespace pelliton::win32 {

namespace {

constexpr const wchar_t* kClassName = L"PellitonMain";

// A fixed single border: no sizing frame, no minimize or maximize box.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

}  // namespace

MainWindow::MainWindow() {
    RegisterWindowClass(kClassName, ObjectWindowProcedure<MainWindow>, GetSysColorBrush(COLOR_BTNFACE));
    HINSTANCE module = GetModuleHandleW(nullptr);
    // No caption until the window loads.
    CreateWindowExW(0, kClassName, L"", kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                    nullptr, MakeMenuBar(), module, this);
    SetClientSize(hwnd_, ui::kMainWindow.clientArea);
    RECT workArea{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    CentreOn(hwnd_, workArea);
}

MainWindow::~MainWindow() {
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

// The window loads: its controls, the open road behind them, its caption.
void MainWindow::OnCreate() {
    BuildControls();
    road_ = std::make_unique<OpenRoad>(*this, previewPane_);
    SetWindowTextW(hwnd_, Utf8ToWide(ui::MainWindowTitle()).c_str());
    UpdateCommands();
}

// The controls are made in their focus order: log pane, preview pane, "Refresh".
void MainWindow::BuildControls() {
    const ui::MainWindowLayout& layout = ui::kMainWindow;
    logPane_ = CreateControl(hwnd_, L"EDIT", L"", WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
                             ui::ToPixels(layout.logPane), kLogPaneId, WS_EX_CLIENTEDGE);
    SendMessageW(logPane_, EM_SETLIMITTEXT, 0, 0);  // as long as memory allows, not 32767 characters

    previewPane_.Create(hwnd_, ui::ToPixels(layout.previewPane), kPreviewPaneId);

    refreshButton_ = CreateControl(hwnd_, L"BUTTON", Utf8ToWide(layout.refreshButton.text).c_str(),
                                   WS_TABSTOP | BS_PUSHBUTTON, ui::ToPixels(layout.refreshButton.place),
                                   CommandId(ui::MainCommand::Refresh));

    // At its designed place and height, rather than where and how high the control would put itself.
    statusBar_ = CreateControl(hwnd_, STATUSCLASSNAMEW, L"", CCS_NOPARENTALIGN | CCS_NORESIZE,
                               ui::ToPixels(layout.statusBar), kStatusBarId);
    SendMessageW(statusBar_, SB_SIMPLE, TRUE, 0);

    focused_ = logPane_;
}

// "Refresh" needs an image to redraw, so it waits for the first open command that completes.
void MainWindow::UpdateCommands() { EnableWindow(refreshButton_, fileOpened_); }

bool MainWindow::TranslateKeys(MSG& message) {
    if (hwnd_ == nullptr || (message.hwnd != hwnd_ && !IsChild(hwnd_, message.hwnd))) return false;
    return TranslateAcceleratorW(hwnd_, accelerators_.get(), &message) || IsDialogMessageW(hwnd_, &message);
}

void MainWindow::AddDebugLine(std::string_view text) { AppendLogLine(logPane_, text); }

void MainWindow::ClearLog() { SetWindowTextW(logPane_, L""); }

void MainWindow::SetStatusText(std::string_view text) {
    SendMessageW(statusBar_, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(Utf8ToWide(text).c_str()));
}

LRESULT MainWindow::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE:
            hwnd_ = hwnd;
            WindowOpened();
            break;
        case WM_CREATE:
            OnCreate();
            return 0;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam));
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                if (HWND focus = GetFocus(); IsChild(hwnd_, focus)) focused_ = focus;
            }
            break;
        case WM_SETFOCUS:
            SetFocus(focused_);
            return 0;
        case WM_CTLCOLORSTATIC:
            // A read-only edit control draws on the button face; the log reads on the window colour.
            if (reinterpret_cast<HWND>(lParam) == logPane_) {
                SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOW));
                return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
            }
            break;
        case WM_NCDESTROY:
            hwnd_ = nullptr;
            WindowClosed();
            break;
        default:
            break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// Identifiers that stand for no command (the other controls' notifications) match no case.
void MainWindow::OnCommand(int id) {
    switch (static_cast<ui::MainCommand>(id - kFirstCommandId)) {
        case ui::MainCommand::Open:
            OnFileOpen();
            break;
        case ui::MainCommand::Quit:
            OnFileQuit();
            break;
        case ui::MainCommand::About:
            OnHelpAbout();
            break;
        case ui::MainCommand::Refresh:
            OnRefresh();
            break;
    }
}

void MainWindow::OnFileOpen() {
    const std::optional<std::wstring> chosen = ChooseRshFile(hwnd_);
    if (!chosen || chosen->empty()) return;
    switch (road_->Open(WideToUtf8(*chosen))) {
        case OpenOutcome::DeviceUnavailable:
            ShowPlainMessage(hwnd_, DeviceUnavailableMessage());
            std::_Exit(EXIT_FAILURE);  // at once: no window gets to close
        case OpenOutcome::Failed:
            return;  // the reason is already in the log
        case OpenOutcome::Completed:
            fileOpened_ = true;
            UpdateCommands();
            return;
    }
}

// Draws the last exported file again, and nothing else.
void MainWindow::OnRefresh() { road_->RenderPreview(); }

void MainWindow::OnFileQuit() { SendMessageW(hwnd_, WM_CLOSE, 0, 0); }

// Modeless and without an owner: the main window stays usable, and either window may close first.
void MainWindow::OnHelpAbout() {
    RECT frame{};
    GetWindowRect(hwnd_, &frame);
    AboutWindow::ShowSingleWindow(frame);
}

}  // namespace pelliton::win32
