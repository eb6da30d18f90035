// The main window: preview pane, log pane, "Refresh", status bar, and the File and Help menus.
#include "win32/frmRSH.h"

#include <commctrl.h>

#include <cstdlib>

#include "preview/PreviewPaneSize.h"
#include "win32/Controls.h"
#include "win32/LogEdit.h"
#include "win32/OpenDialog.h"
#include "win32/OpenWindows.h"
#include "win32/PlainMessage.h"
#include "win32/Resources.h"
#include "win32/VersionText.h"
#include "win32/WideText.h"
#include "win32/WindowProcedure.h"
#include "win32/frmAbout.h"

namespace pelliton::win32 {

namespace {

constexpr const wchar_t* kClassName = L"PellitonMain";
constexpr int kClientWidthTwips = 11685;
constexpr int kClientHeightTwips = 8970;

// A fixed single border: no sizing frame, no minimize or maximize box.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

}  // namespace

frmRSH::frmRSH() {
    RegisterWindowClass(kClassName, ObjectWindowProcedure<frmRSH>, GetSysColorBrush(COLOR_BTNFACE));
    HINSTANCE module = GetModuleHandleW(nullptr);
    accelerators_ = LoadAcceleratorsW(module, MAKEINTRESOURCEW(IDR_ACCELERATORS));
    // No caption until the window loads.
    CreateWindowExW(0, kClassName, L"", kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                    nullptr, LoadMenuW(module, MAKEINTRESOURCEW(IDR_MAINMENU)), module, this);
    SetClientSize(hwnd_, TwipsToPixels(kClientWidthTwips), TwipsToPixels(kClientHeightTwips));
    RECT workArea{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    CentreOn(hwnd_, workArea);
}

frmRSH::~frmRSH() {
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

// The controls are made in their focus order: txtDebug, picRSH, cmdRefresh.
void frmRSH::CreateControls() {
    txtDebug_ = CreateControl(hwnd_, L"EDIT", L"",
                              WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
                              TwipsRect(120, 720, 2895, 7815), IDC_TXTDEBUG, WS_EX_CLIENTEDGE);
    SendMessageW(txtDebug_, EM_SETLIMITTEXT, 0, 0);  // as long as memory allows, not 32767 characters

    picRSH_.Create(hwnd_, TwipsRect(3120, 120, kPicRshSideTwips, kPicRshSideTwips), IDC_PICRSH);

    cmdRefresh_ = CreateControl(hwnd_, L"BUTTON", L"Refresh", WS_TABSTOP | BS_PUSHBUTTON,
                                TwipsRect(1560, 120, 1455, 495), IDC_REFRESH);

    // At its designed place and height, rather than where and how high the control would put itself.
    StatusBar1_ = CreateControl(hwnd_, STATUSCLASSNAMEW, L"", CCS_NOPARENTALIGN | CCS_NORESIZE,
                                TwipsRect(0, 8595, 11685, 375), IDC_STATUSBAR);
    SendMessageW(StatusBar1_, SB_SIMPLE, TRUE, 0);

    focused_ = txtDebug_;
}

// "Refresh" needs an image to redraw, so it waits for the first open command that completes.
void frmRSH::UpdateCommands() { EnableWindow(cmdRefresh_, fileOpened_); }

void frmRSH::Form_Load() {
    SetWindowTextW(hwnd_, (L"Quibbo's Dawn of War Pelliton / Extractor - " + VersionText()).c_str());
    UpdateCommands();
}

bool frmRSH::TranslateKeys(MSG& message) {
    if (hwnd_ == nullptr || (message.hwnd != hwnd_ && !IsChild(hwnd_, message.hwnd))) return false;
    return TranslateAcceleratorW(hwnd_, accelerators_, &message) || IsDialogMessageW(hwnd_, &message);
}

void frmRSH::AddDebugLine(std::string_view text) { AppendLogLine(txtDebug_, text); }

void frmRSH::ClearLog() { SetWindowTextW(txtDebug_, L""); }

void frmRSH::SetStatusText(std::string_view text) {
    SendMessageW(StatusBar1_, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(Utf8ToWide(text).c_str()));
}

LRESULT frmRSH::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE:
            hwnd_ = hwnd;
            WindowOpened();
            break;
        case WM_CREATE:
            CreateControls();
            road_ = std::make_unique<OpenRoad>(*this, picRSH_);
            Form_Load();
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
            if (reinterpret_cast<HWND>(lParam) == txtDebug_) {
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

void frmRSH::OnCommand(int id) {
    switch (id) {
        case IDM_FILEOPEN:
            mnuFileOpen_Click();
            break;
        case IDM_FILEQUIT:
            mnuFileQuit_Click();
            break;
        case IDM_HELPABOUT:
            mnuHelpAbout_Click();
            break;
        case IDC_REFRESH:
            cmdRefresh_Click();
            break;
        default:
            break;
    }
}

void frmRSH::mnuFileOpen_Click() {
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
void frmRSH::cmdRefresh_Click() { road_->RenderPreview(); }

void frmRSH::mnuFileQuit_Click() { SendMessageW(hwnd_, WM_CLOSE, 0, 0); }

// Modeless and without an owner: the main window stays usable, and either window may close first.
void frmRSH::mnuHelpAbout_Click() {
    RECT frame{};
    GetWindowRect(hwnd_, &frame);
    frmAbout::ShowSingleWindow(frame);
}

}  // namespace pelliton::win32
