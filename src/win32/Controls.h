// What both windows need to make and place themselves: window classes, child controls, sizes.
#pragma once

#include <windows.h>

#include "teamcolour/ArmyPainter.h"
#include "ui/Layout.h"

namespace pelliton::win32 {

// Registers a window class of this program with the tool's icon and the arrow cursor, unless it
// is registered already.
void RegisterWindowClass(const wchar_t* name, WNDPROC procedure, HBRUSH background, int extraBytes = 0);

// The tool's icon at size x size pixels; shared, never destroyed.
HICON AppIcon(int size);

// A visible child control at its designed place, in the dialog font.
HWND CreateControl(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style,
                   const ui::PixelRect& place, int id, DWORD extendedStyle = 0);

// Makes the client area exactly the designed size, whatever the frame and the menu bar take.
void SetClientSize(HWND window, const ui::TwipsSize& size);

constexpr COLORREF ToColorRef(const ui::Rgb& colour) { return RGB(colour.red, colour.green, colour.blue); }
constexpr COLORREF ToColorRef(TeamColour colour) { return RGB(colour.red, colour.green, colour.blue); }

// Moves the window, keeping its size, so that its centre is the centre of area.
void CentreOn(HWND window, const RECT& area);

}  // namespace pelliton::win32
