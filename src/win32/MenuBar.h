// The main window's menu bar and shortcut keys, made from the menu table.
#pragma once

#include <windows.h>

#include <memory>
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

// The menus with their items; the window it is given to destroys it.
HMENU MakeMenuBar();

// Each item's shortcut key, sending the item's command.
AcceleratorTable MakeAccelerators();

}  // namespace pelliton::win32
