// The About window: title, version line, description, author credit and "&System Info...".
#pragma once

#include <windows.h>

#include "about/PlatformSystemInformation.h"
#include "win32/GdiObject.h"

namespace pelliton::win32 {

// A modeless dialog that owns itself: its window makes it when it loads and deletes it when closed.
class AboutWindow {
public:
    // Help > About: shows the one About window, creating it when there is none; it has no owner and
    // starts centred on placeOver.
    static void ShowSingleWindow(const RECT& placeOver);

    // Tab, Enter and Esc for a message on its way to the About window; true when handled here.
    static bool TranslateKeys(MSG& message);

private:
    explicit AboutWindow(HWND hwnd);

    static INT_PTR CALLBACK DialogProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void BuildControls();
    HBRUSH ControlColours(HWND control, HDC dc) const;
    void PaintIcon(const DRAWITEMSTRUCT& item) const;

    void OnOk();
    // Starts the system information program, or says that it is unavailable.
    void OnSystemInfo();

    static HWND single_;  // the open About window, if any

    HWND hwnd_;
    SystemInformationPlatform platform_ = PlatformSystemInformation();
    GdiObject<HFONT> productNameFont_;
    GdiObject<HBRUSH> iconBackground_;
    GdiObject<HBRUSH> separatorShadow_;
    GdiObject<HBRUSH> separatorHighlight_;
};

}  // namespace pelliton::win32
