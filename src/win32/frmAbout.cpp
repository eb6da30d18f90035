// The About window: title, version line, description, author credit and "&System Info...".
#include "win32/frmAbout.h"

#include <string>

#include "about/SystemInformation.h"
#include "win32/Controls.h"
#include "win32/OpenWindows.h"
#include "win32/PlainMessage.h"
#include "win32/Resources.h"
#include "win32/VersionText.h"

namespace pelliton::win32 {

namespace {

constexpr int kClientWidthTwips = 6345;
constexpr int kClientHeightTwips = 3630;
constexpr int kIconPixels = 32;
constexpr int kTitleFontPixels = 18;  // 13.5 points at 96 dots per inch

constexpr COLORREF kIconBackground = RGB(192, 192, 192);
constexpr COLORREF kGreyLine = RGB(128, 128, 128);
constexpr COLORREF kWhiteLine = RGB(255, 255, 255);

constexpr DWORD kLabelStyle = SS_LEFT | SS_NOPREFIX;  // SS_LEFT wraps at word ends

}  // namespace

HWND frmAbout::single_ = nullptr;

frmAbout::frmAbout(HWND hwnd)
    : hwnd_(hwnd),
      titleFont_(CreateFontW(-kTitleFontPixels, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                             L"MS Sans Serif")),
      iconBackground_(CreateSolidBrush(kIconBackground)),
      greyLine_(CreateSolidBrush(kGreyLine)),
      whiteLine_(CreateSolidBrush(kWhiteLine)) {}

void frmAbout::ShowSingleWindow(const RECT& placeOver) {
    if (single_ == nullptr) {
        RegisterWindowClass(L"" ABOUT_WINDOW_CLASS, DefDlgProcW, GetSysColorBrush(COLOR_BTNFACE), DLGWINDOWEXTRA);
        HWND created = CreateDialogW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ABOUT), nullptr, DialogProcedure);
        if (created == nullptr) return;
        CentreOn(created, placeOver);
    }
    ShowWindow(single_, SW_SHOW);
    SetForegroundWindow(single_);
}

bool frmAbout::TranslateKeys(MSG& message) { return single_ != nullptr && IsDialogMessageW(single_, &message); }

INT_PTR CALLBACK frmAbout::DialogProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        single_ = hwnd;
        SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(new frmAbout(hwnd)));
        WindowOpened();
    }
    auto* window = reinterpret_cast<frmAbout*>(GetWindowLongPtrW(hwnd, DWLP_USER));
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

INT_PTR frmAbout::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            SetClientSize(hwnd_, TwipsToPixels(kClientWidthTwips), TwipsToPixels(kClientHeightTwips));
            CreateControls();
            Form_Load();
            SetFocus(GetDlgItem(hwnd_, IDOK));
            return FALSE;  // the focus is set
        case WM_COMMAND:
            // Esc and the close box arrive as IDCANCEL and act as "OK" does.
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                cmdOK_Click();
            } else if (LOWORD(wParam) == IDC_CMDSYSINFO) {
                cmdSysInfo_Click();
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

// In creation order; cmdOK and then cmdSysInfo are the focus order.
void frmAbout::CreateControls() {
    HWND Text1 = CreateControl(hwnd_, L"EDIT", L"Quibbo's Pelliton / Extractor", ES_READONLY | ES_AUTOHSCROLL,
                               TwipsRect(1200, 240, 4695, 375), IDC_TEXT1);
    SendMessageW(Text1, WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_.get()), FALSE);

    CreateControl(hwnd_, L"STATIC", L"", SS_OWNERDRAW, TwipsRect(240, 240, 540, 1020), IDC_PICICON);

    CreateControl(hwnd_, L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, TwipsRect(4485, 2625, 1467, 345), IDOK);
    CreateControl(hwnd_, L"BUTTON", L"&System Info...", WS_TABSTOP | BS_PUSHBUTTON, TwipsRect(4500, 3075, 1452, 345),
                  IDC_CMDSYSINFO);

    CreateControl(hwnd_, L"STATIC",
                  L"Written by Quibbo for the modding community. Free to use and share; it comes without "
                  L"warranty of any kind.",
                  kLabelStyle, TwipsRect(255, 2625, 4110, 825), IDC_LBLDISCLAIMER);
    CreateControl(hwnd_, L"STATIC",
                  L"Application to view / extract Warhammer 40000: Dawn of War RSH Texture Files.", kLabelStyle,
                  TwipsRect(1200, 1125, 4695, 1170), IDC_LBLDESCRIPTION);

    // Grey above white: an etched separator between the text and the buttons.
    CreateControl(hwnd_, L"STATIC", L"", SS_LEFT,
                  {TwipsToPixels(225), TwipsToPixels(2430), TwipsToPixels(6000 - 225), 1}, IDC_LINE1_GREY);
    CreateControl(hwnd_, L"STATIC", L"", SS_LEFT,
                  {TwipsToPixels(240), TwipsToPixels(2445), TwipsToPixels(6000 - 240), 2}, IDC_LINE1_WHITE);

    CreateControl(hwnd_, L"STATIC", L"", kLabelStyle, TwipsRect(1200, 840, 4695, 225), IDC_LBLVERSION);
}

void frmAbout::Form_Load() {
    SetDlgItemTextW(hwnd_, IDC_LBLVERSION, (L"Version " + VersionText() + L" (18-Oct-2004)").c_str());
}

// The lines are bare controls in their own colours; the texts are black on the button face.
HBRUSH frmAbout::ControlColours(HWND control, HDC dc) const {
    switch (GetDlgCtrlID(control)) {
        case IDC_LINE1_GREY:
            return greyLine_.get();
        case IDC_LINE1_WHITE:
            return whiteLine_.get();
        default:
            SetTextColor(dc, RGB(0, 0, 0));
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            return GetSysColorBrush(COLOR_BTNFACE);
    }
}

// picIcon: the icon at its top left corner on light grey.
void frmAbout::PaintIcon(const DRAWITEMSTRUCT& item) const {
    FillRect(item.hDC, &item.rcItem, iconBackground_.get());
    DrawIconEx(item.hDC, 0, 0, AppIcon(kIconPixels), kIconPixels, kIconPixels, 0, nullptr, DI_NORMAL);
}

void frmAbout::StartSysInfo() {
    if (!StartSystemInformation(*platform_.registry, *platform_.starter)) {
        ShowPlainMessage(hwnd_, kSysInfoUnavailableMessage);
    }
}

void frmAbout::cmdOK_Click() { DestroyWindow(hwnd_); }

void frmAbout::cmdSysInfo_Click() { StartSysInfo(); }

}  // namespace pelliton::win32
