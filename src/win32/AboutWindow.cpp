// The About window: title, version line, description, author credit and "&System Info...".
#include "win32/AboutWindow.h"

#include <string>

#include "about/SystemInformation.h"
#include "ui/AboutWindowLayout.h"
#include "ui/VersionedTexts.h"
#include "win32/ControlIds.h"
#include "win32/Controls.h"
#include "win32/OpenWindows.h"
#include "win32/PlainMessage.h"
#include "win32/Resources.h"
#include "win32/WideText.h"

namespace pelliton::win32 {

namespace {

constexpr const ui::AboutWindowLayout& kLayout = ui::kAboutWindow;

constexpr DWORD kLabelStyle = SS_LEFT | SS_NOPREFIX;  // SS_LEFT wraps at word ends

HFONT MakeFont(const ui::Font& font) {
    return CreateFontW(-TwipsToPixels(font.heightTwips), 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                       FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, Utf8ToWide(font.family).c_str());
}

HWND AddControl(HWND window, const wchar_t* className, const ui::Control& control, DWORD style, int id) {
    return CreateControl(window, className, Utf8ToWide(control.text).c_str(), style, ui::ToPixels(control.place), id);
}

}  // namespace

HWND AboutWindow::single_ = nullptr;

AboutWindow::AboutWindow(HWND hwnd)
    : hwnd_(hwnd),
      productNameFont_(MakeFont(kLayout.productNameFont)),
      iconBackground_(CreateSolidBrush(ToColorRef(kLayout.iconBackground))),
      separatorShadow_(CreateSolidBrush(ToColorRef(kLayout.separatorShadow.colour))),
      separatorHighlight_(CreateSolidBrush(ToColorRef(kLayout.separatorHighlight.colour))) {}

void AboutWindow::ShowSingleWindow(const RECT& placeOver) {
    if (single_ == nullptr) {
        RegisterWindowClass(L"" ABOUT_WINDOW_CLASS, DefDlgProcW, GetSysColorBrush(COLOR_BTNFACE), DLGWINDOWEXTRA);
        HWND created = CreateDialogW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ABOUT), nullptr, DialogProcedure);
        if (created == nullptr) return;
        CentreOn(created, placeOver);
    }
    ShowWindow(single_, SW_SHOW);
    SetForegroundWindow(single_);
}

bool AboutWindow::TranslateKeys(MSG& message) { return single_ != nullptr && IsDialogMessageW(single_, &message); }

INT_PTR CALLBACK AboutWindow::DialogProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        single_ = hwnd;
        SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(new AboutWindow(hwnd)));
        WindowOpened();
    }
    auto* window = reinterpret_cast<AboutWindow*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (window == nullptr) return FALSE;
    // Dialog procedures see WM_DESTROY for certain; what comes after finds no window.
    if (message == WM_DESTROY) {
        SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        delete window;
        single_ = nullptr;
        WindowClosed();
        return FALSE;
    }
    return window->HandleMessage(message, wParam, lParam);
}

INT_PTR AboutWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            SetWindowTextW(hwnd_, Utf8ToWide(kLayout.title).c_str());
            SetClientSize(hwnd_, kLayout.clientArea);
            BuildControls();
            SetFocus(GetDlgItem(hwnd_, IDOK));
            return FALSE;  // the focus is set
        case WM_COMMAND:
            // Esc and the close box arrive as IDCANCEL and act as "OK" does.
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                OnOk();
            } else if (LOWORD(wParam) == kSystemInfoButtonId) {
                OnSystemInfo();
            }
            return TRUE;
        case WM_CTLCOLORSTATIC:
            return reinterpret_cast<INT_PTR>(ControlColours(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam)));
        case WM_DRAWITEM:
            PaintIcon(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        default:
            return FALSE;
    }
}

// In creation order; "OK" and then "&System Info..." are the focus order.
void AboutWindow::BuildControls() {
    HWND productName = AddControl(hwnd_, L"EDIT", kLayout.productName, ES_READONLY | ES_AUTOHSCROLL, kProductNameId);
    SendMessageW(productName, WM_SETFONT, reinterpret_cast<WPARAM>(productNameFont_.get()), FALSE);

    CreateControl(hwnd_, L"STATIC", L"", SS_OWNERDRAW, ui::ToPixels(kLayout.icon), kIconId);

    AddControl(hwnd_, L"BUTTON", kLayout.okButton, WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK);
    AddControl(hwnd_, L"BUTTON", kLayout.systemInfoButton, WS_TABSTOP | BS_PUSHBUTTON, kSystemInfoButtonId);

    AddControl(hwnd_, L"STATIC", kLayout.disclaimer, kLabelStyle, kDisclaimerId);
    AddControl(hwnd_, L"STATIC", kLayout.description, kLabelStyle, kDescriptionId);

    CreateControl(hwnd_, L"STATIC", L"", SS_LEFT, ui::ToPixels(kLayout.separatorShadow), kSeparatorShadowId);
    CreateControl(hwnd_, L"STATIC", L"", SS_LEFT, ui::ToPixels(kLayout.separatorHighlight), kSeparatorHighlightId);

    CreateControl(hwnd_, L"STATIC", Utf8ToWide(ui::AboutVersionLine()).c_str(), kLabelStyle,
                  ui::ToPixels(kLayout.versionLine), kVersionLineId);
}

// The lines are bare controls in their own colours; the texts are on the button face.
HBRUSH AboutWindow::ControlColours(HWND control, HDC dc) const {
    switch (GetDlgCtrlID(control)) {
        case kSeparatorShadowId:
            return separatorShadow_.get();
        case kSeparatorHighlightId:
            return separatorHighlight_.get();
        default:
            SetTextColor(dc, ToColorRef(kLayout.labelText));
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            return GetSysColorBrush(COLOR_BTNFACE);
    }
}

// The icon at its top left corner on its background.
void AboutWindow::PaintIcon(const DRAWITEMSTRUCT& item) const {
    FillRect(item.hDC, &item.rcItem, iconBackground_.get());
    DrawIconEx(item.hDC, 0, 0, AppIcon(kLayout.iconPixels), kLayout.iconPixels, kLayout.iconPixels, 0, nullptr,
               DI_NORMAL);
}

void AboutWindow::OnOk() { DestroyWindow(hwnd_); }

void AboutWindow::OnSystemInfo() {
    if (!StartSystemInformation(*platform_.registry, *platform_.starter)) {
        ShowPlainMessage(hwnd_, kSysInfoUnavailableMessage);
    }
}

}  // namespace pelliton::win32
