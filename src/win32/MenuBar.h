// The main window's menu bar and shortcut keys, made from the menu table, and the states of its items.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <type_traits>

#include "ui/MainMenu.h"

namespace pelliton::win32 {

struct AcceleratorTableDeleter {
    void operator()(HACCEL table) const { DestroyAcceleratorTable(table); }
};
using AcceleratorTable = std::unique_ptr<std::remove_pointer_t<HACCEL>, AcceleratorTableDeleter>;

// "&Open\tCtrl+O": the caption, then the shortcut at the item's right edge.
std::wstring MenuItemText(const ui::MenuItem& item);

// The menus with their items and no recent files; the window it is given to destroys it.
HMENU MakeMenuBar();

// Lists the recent files (UTF-8, newest first) in the File menu, in place of those listed before.
void ShowRecentFiles(HMENU bar, std::span<const std::string> paths);

// Enables each command's item and checks it as the table says it shows its state.
void ShowCommandStates(HMENU bar, const std::function<bool(ui::MainCommand)>& isEnabled,
                       const std::function<bool(ui::MainCommand)>& isChecked);

// Each item's shortcut key, sending the item's command.
AcceleratorTable MakeAccelerators();

}  // namespace pelliton::win32
