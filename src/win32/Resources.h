// Identifiers shared by the resource script and the windows that use its resources.
#pragma once

#define IDI_APPICON 1
#define IDD_ABOUT 102

// The About window is a dialog of this class, so that it carries the tool's icon.
#define ABOUT_WINDOW_CLASS "PellitonAbout"
