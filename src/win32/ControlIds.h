// The identifiers of the two windows' controls and of the main window's commands.
#pragma once

#include "ui/MainMenu.h"

namespace pelliton::win32 {

// Menu items, their shortcut keys and the "Refresh" button send these; they lie above IDOK and
// IDCANCEL, which the dialog keys send on their own.
inline constexpr int kFirstCommandId = 200;

constexpr int CommandId(ui::MainCommand command) { return kFirstCommandId + static_cast<int>(command); }

// The recent files of the File menu, newest first: a range of their own, above every command.
inline constexpr int kFirstRecentFileId = 250;

constexpr int RecentFileId(int index) { return kFirstRecentFileId + index; }
static_assert(CommandId(ui::MainCommand::Refresh) < kFirstRecentFileId);

// The main window's other controls.
inline constexpr int kLogPaneId = 300;
inline constexpr int kPreviewPaneId = 301;
inline constexpr int kStatusBarId = 302;
inline constexpr int kTextureListId = 303;

// The team colour buttons, primary to eyes.
constexpr int TeamColourButtonId(int index) { return 310 + index; }

// The About window's controls; its "OK" is IDOK, so that Enter and Esc reach it through the dialog keys.
inline constexpr int kProductNameId = 400;
inline constexpr int kIconId = 401;
inline constexpr int kSystemInfoButtonId = 402;
inline constexpr int kDisclaimerId = 403;
inline constexpr int kDescriptionId = 404;
inline constexpr int kSeparatorShadowId = 405;
inline constexpr int kSeparatorHighlightId = 406;
inline constexpr int kVersionLineId = 407;

}  // namespace pelliton::win32
