// The main window: log pane, texture list, team colour buttons, preview pane, "Refresh", status bar,
// and the File, Texture, View and Help menus, over the window session every front end shares.
#include "win32/MainWindow.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cstdlib>

#include "ui/MainWindowLayout.h"
#include "win32/AboutWindow.h"
#include "win32/ControlIds.h"
#include "win32/Controls.h"
#include "win32/LogEdit.h"
#include "win32/OpenWindows.h"
#include "win32/PlainMessage.h"
#include "win32/WideText.h"
#include "win32/WindowProcedure.h"

namespace pelliton::win32 {

namespace {

constexpr const wchar_t* kClassName = L"PellitonMain";

// Resizable and maximisable; the children are not painted over.
constexpr DWORD kWindowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;

void MoveTo(HWND control, const ui::PixelRect& place) {
    MoveWindow(control, place.left, place.top, place.width, place.height, TRUE);
}

}  // namespace

MainWindow::MainWindow(RecentFilesStore& recentStore, WindowDialogs& dialogs, RuntimeFactory makeRuntime)
    : recentStore_(recentStore), dialogs_(dialogs), makeRuntime_(std::move(makeRuntime)) {
    RegisterWindowClass(kClassName, ObjectWindowProcedure<MainWindow>, GetSysColorBrush(COLOR_BTNFACE));
    HINSTANCE module = GetModuleHandleW(nullptr);
    // No caption until the window loads.
    CreateWindowExW(0, kClassName, L"", kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                    nullptr, MakeMenuBar(), module, this);
    if (hwnd_ == nullptr) return;
    SetClientSize(hwnd_, ui::kMainWindow.clientArea);
    RECT frame{};
    GetWindowRect(hwnd_, &frame);
    minimumSize_ = {frame.right - frame.left, frame.bottom - frame.top};
    RECT workArea{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    CentreOn(hwnd_, workArea);
}

MainWindow::~MainWindow() {
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

// The window loads: its controls, the session behind them, its caption and menus.
void MainWindow::OnCreate() {
    BuildControls();
    session_ = std::make_unique<WindowSession>(*this, previewPane_, recentStore_, makeRuntime_);
    DragAcceptFiles(hwnd_, TRUE);
    ShowSessionState();
}

// The controls are made in their focus order: log pane, texture list, team colour buttons, preview
// pane, "Refresh".
void MainWindow::BuildControls() {
    const ui::MainWindowPlaces places = ui::PlaceMainWindow(0, 0);  // as designed
    logPane_ = CreateControl(hwnd_, L"EDIT", L"", WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
                             places.logPane, kLogPaneId, WS_EX_CLIENTEDGE);
    SendMessageW(logPane_, EM_SETLIMITTEXT, 0, 0);  // as long as memory allows, not 32767 characters

    textureList_.Create(hwnd_, places.textureList, kTextureListId);
    teamColourButtons_.Create(hwnd_, places.teamColourButtons);

    previewPane_.Create(hwnd_, places.previewPane, kPreviewPaneId, [this](int dx, int dy) {
        if (session_) session_->Pan(dx, dy);
    });

    refreshButton_ = CreateControl(hwnd_, L"BUTTON", Utf8ToWide(ui::kMainWindow.refreshButton.text).c_str(),
                                   WS_TABSTOP | BS_PUSHBUTTON, places.refreshButton,
                                   CommandId(ui::MainCommand::Refresh));

    // At its designed place and height, rather than where and how high the control would put itself.
    statusBar_ = CreateControl(hwnd_, STATUSCLASSNAMEW, L"", CCS_NOPARENTALIGN | CCS_NORESIZE | SBARS_SIZEGRIP,
                               places.statusBar, kStatusBarId);
    SendMessageW(statusBar_, SB_SIMPLE, TRUE, 0);

    focused_ = logPane_;
}

// A pane of another size gets a frame drawn at its new size.
void MainWindow::PlaceControls(int clientWidth, int clientHeight) {
    if (statusBar_ == nullptr) return;  // not built yet
    const ui::MainWindowPlaces places = ui::PlaceMainWindow(clientWidth, clientHeight);
    const int paneWidth = previewPane_.ClientWidth();
    const int paneHeight = previewPane_.ClientHeight();
    MoveTo(logPane_, places.logPane);
    textureList_.Place(places.textureList);
    teamColourButtons_.Place(places.teamColourButtons);
    MoveTo(refreshButton_, places.refreshButton);
    MoveTo(previewPane_.Handle(), places.previewPane);
    MoveTo(statusBar_, places.statusBar);
    if (session_ && (previewPane_.ClientWidth() != paneWidth || previewPane_.ClientHeight() != paneHeight)) {
        session_->PaneResized();
    }
}

// After an open, a replacement or a save under another name: the rows may have changed.
void MainWindow::ShowTextures() { textureList_.Show(session_->Textures(), session_->SelectedTexture()); }

// After every command: the title, the recent files, which items are enabled and which checked.
void MainWindow::ShowSessionState() {
    if (hwnd_ == nullptr) return;
    SetWindowTextW(hwnd_, Utf8ToWide(session_->WindowTitle()).c_str());
    HMENU bar = GetMenu(hwnd_);
    if (recentShown_ != session_->RecentFilePaths()) {
        recentShown_ = session_->RecentFilePaths();
        ShowRecentFiles(bar, recentShown_);
    }
    ShowCommandStates(
        bar, [this](ui::MainCommand command) { return session_->IsEnabled(command); },
        [this](ui::MainCommand command) { return session_->IsChecked(command); });
    EnableWindow(refreshButton_, session_->IsEnabled(ui::MainCommand::Refresh));
    teamColourButtons_.Show(session_->TeamColourChoices(), session_->ShowsTeamPattern());
}

bool MainWindow::ConfirmLeaving() {
    const bool leave = session_->ConfirmLeaving(
        [this](const std::string& question) { return dialogs_.AskUnsaved(hwnd_, question); },
        [this](const std::string& failure) { dialogs_.ShowFailure(hwnd_, failure); });
    ShowSessionState();  // a save on the way clears the "*"
    return leave;
}

void MainWindow::ShowFailure(const std::optional<std::string>& failure) {
    if (failure) dialogs_.ShowFailure(hwnd_, *failure);
}

void MainWindow::OpenFile(const std::string& path) {
    if (hwnd_ == nullptr || !ConfirmLeaving()) return;
    if (session_->Open(path) == OpenOutcome::DeviceUnavailable) {
        ShowPlainMessage(hwnd_, DeviceUnavailableMessage());
        std::_Exit(EXIT_FAILURE);  // at once: no window gets to close
    }
    ShowTextures();
    ShowSessionState();
}

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
        case WM_GETMINMAXINFO:
            if (minimumSize_.cx > 0) {
                reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {minimumSize_.cx, minimumSize_.cy};
            }
            return 0;
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED) PlaceControls(LOWORD(lParam), HIWORD(lParam));
            return 0;
        case WM_COMMAND:
            // A team colour button sends other notifications besides its clicks.
            if (const std::optional<int> index = TeamColourButtons::IndexOf(LOWORD(wParam))) {
                if (HIWORD(wParam) == BN_CLICKED) OnTeamColourButton(*index);
            } else {
                OnCommand(LOWORD(wParam));
            }
            return 0;
        case WM_DRAWITEM:
            if (teamColourButtons_.Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
            break;
        case WM_NOTIFY:
            if (session_) {
                if (const auto row = textureList_.SelectedByUser(*reinterpret_cast<const NMHDR*>(lParam))) {
                    session_->SelectTexture(*row);
                    ShowSessionState();
                }
            }
            break;
        case WM_DROPFILES:
            OnDropFiles(reinterpret_cast<HDROP>(wParam));
            return 0;
        case WM_CLOSE:
            if (ConfirmLeaving()) DestroyWindow(hwnd_);
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

// Identifiers that stand for neither a command nor a recent file (the other controls'
// notifications) do nothing; nor does a command that is not enabled now, whatever sent it.
void MainWindow::OnCommand(int id) {
    const int recent = id - kFirstRecentFileId;
    if (recent >= 0 && recent < static_cast<int>(recentShown_.size())) {
        OpenFile(std::string(recentShown_[static_cast<std::size_t>(recent)]));
        return;
    }
    const int command = id - kFirstCommandId;
    if (command < 0 || command > static_cast<int>(ui::MainCommand::Refresh)) return;
    if (!session_->IsEnabled(static_cast<ui::MainCommand>(command))) return;
    RunCommand(static_cast<ui::MainCommand>(command));
    ShowSessionState();
}

void MainWindow::RunCommand(ui::MainCommand command) {
    switch (command) {
        case ui::MainCommand::Open:
            return OnFileOpen();
        case ui::MainCommand::Save:
            return OnFileSave();
        case ui::MainCommand::SaveAs:
            return OnFileSaveAs();
        case ui::MainCommand::ExportAll:
            return OnFileExportAll(false);
        case ui::MainCommand::ExportAllAsPng:
            return OnFileExportAll(true);
        case ui::MainCommand::Quit:
            return OnFileQuit();
        case ui::MainCommand::Replace:
            return OnTextureReplace();
        case ui::MainCommand::ViewPerspective:
            return session_->SetScale(PreviewScale::Perspective);
        case ui::MainCommand::ViewFit:
            return session_->SetScale(PreviewScale::Fit);
        case ui::MainCommand::ViewActualSize:
            return session_->SetScale(PreviewScale::ActualSize);
        case ui::MainCommand::ShowAlpha:
            return session_->SetShowAlpha(!session_->ShowsAlpha());
        case ui::MainCommand::LargerMipLevel:
            return session_->SetMipLevel(session_->MipLevel() - 1);
        case ui::MainCommand::SmallerMipLevel:
            return session_->SetMipLevel(session_->MipLevel() + 1);
        case ui::MainCommand::About:
            return OnHelpAbout();
        case ui::MainCommand::Refresh:
            return OnRefresh();
    }
}

// The file is chosen first; unsaved changes are settled on the way to opening it.
void MainWindow::OnFileOpen() {
    if (const std::optional<std::string> chosen = dialogs_.ChooseRshFile(hwnd_)) OpenFile(*chosen);
}

void MainWindow::OnFileSave() { ShowFailure(session_->Save()); }

// Suggested under the open file's own name and folder.
void MainWindow::OnFileSaveAs() {
    const std::optional<std::string> path = dialogs_.ChooseSavePath(hwnd_, session_->FilePath());
    if (!path) return;
    ShowFailure(session_->SaveAs(*path));
    ShowTextures();
}

void MainWindow::OnFileExportAll(bool asPng) {
    if (const std::optional<std::string> folder = dialogs_.ChooseFolder(hwnd_)) {
        ShowFailure(session_->ExportAll(*folder, asPng));
    }
}

void MainWindow::OnFileQuit() { SendMessageW(hwnd_, WM_CLOSE, 0, 0); }

// The texture's attributes may change with its picture, so its row is shown anew.
void MainWindow::OnTextureReplace() {
    const std::optional<std::string> picture = dialogs_.ChoosePicture(hwnd_);
    if (!picture) return;
    ShowFailure(session_->ReplaceSelected(*picture));
    ShowTextures();
}

void MainWindow::OnRefresh() { session_->Refresh(); }

// Modeless and without an owner: the main window stays usable, and either window may close first.
void MainWindow::OnHelpAbout() {
    RECT frame{};
    GetWindowRect(hwnd_, &frame);
    AboutWindow::ShowSingleWindow(frame);
}

// The first of the files dropped opens.
void MainWindow::OnDropFiles(HDROP drop) {
    std::wstring path;
    if (DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) > 0) {
        path.resize(DragQueryFileW(drop, 0, nullptr, 0) + 1);
        path.resize(DragQueryFileW(drop, 0, path.data(), static_cast<UINT>(path.size())));
    }
    DragFinish(drop);
    if (!path.empty()) OpenFile(WideToUtf8(path));
}

// The dialog starts at the colour the pattern is painted in; a choice shows the pattern painted
// anew, its row selected. A button clicked without a pattern shown, however that came about, asks nothing.
void MainWindow::OnTeamColourButton(int index) {
    if (!session_->ShowsTeamPattern()) return;
    const std::string title = std::string(ui::kTeamColourButtonTexts[index].dialogTitle);
    const TeamColour current = session_->TeamColourChoices()[static_cast<std::size_t>(index)];
    const std::optional<TeamColour> chosen = dialogs_.ChooseColour(hwnd_, title, current);
    if (!chosen) return;
    session_->SetTeamColour(index, *chosen);
    ShowTextures();
    ShowSessionState();
}

}  // namespace pelliton::win32
