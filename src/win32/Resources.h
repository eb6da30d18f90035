// Identifiers shared by the resource script and the windows that use its resources.
#pragma once

#define IDI_APPICON 1
#define IDR_MAINMENU 100
#define IDR_ACCELERATORS 101
#define IDD_ABOUT 102

// Commands of the main window: menu items, their shortcut keys and the "Refresh" button. Above
// IDOK and IDCANCEL, which the dialog keys send on their own.
#define IDM_FILEOPEN 200
#define IDM_FILEQUIT 201
#define IDM_HELPABOUT 202
#define IDC_REFRESH 203

// The About window is a dialog of this class, so that it carries the tool's icon.
#define ABOUT_WINDOW_CLASS "PellitonAbout"
