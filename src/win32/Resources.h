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

// The main window's other controls.
#define IDC_TXTDEBUG 300
#define IDC_PICRSH 301
#define IDC_STATUSBAR 302

// The About window's controls; cmdOK is IDOK, so that Enter and Esc reach it through the dialog keys.
#define IDC_TEXT1 400
#define IDC_PICICON 401
#define IDC_CMDSYSINFO 402
#define IDC_LBLDISCLAIMER 403
#define IDC_LBLDESCRIPTION 404
#define IDC_LINE1_GREY 405  /* Line1, index 1 */
#define IDC_LINE1_WHITE 406 /* Line1, index 0 */
#define IDC_LBLVERSION 407

// The About window is a dialog of this class, so that it carries the tool's icon.
#define ABOUT_WINDOW_CLASS "PellitonAbout"
