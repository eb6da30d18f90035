// The main window's menu bar and shortcut keys, made from the menu table.
#include "win32/MenuBar.h"

#include <vector>

#include "win32/ControlIds.h"
#include "win32/WideText.h"

namespace pelliton::win32 {

namespace {

WORD VirtualKey(ui::Key key) {
    switch (key) {
        case ui::Key::O:
            return 'O';
        case ui::Key::Q:
            return 'Q';
        case ui::Key::F1:
            return VK_F1;
    }
    return 0;
}

}  // namespace

std::wstring MenuItemText(const ui::MenuItem& item) {
    return Utf8ToWide(item.caption) + L"\t" + Utf8ToWide(ui::ShortcutText(item.shortcut));
}

HMENU MakeMenuBar() {
    HMENU bar = CreateMenu();
    for (const ui::Menu& menu : ui::kMainMenus) {
        HMENU popup = CreatePopupMenu();
        for (const ui::MenuItem& item : menu.items) {
            AppendMenuW(popup, MF_STRING, static_cast<UINT_PTR>(CommandId(item.command)), MenuItemText(item).c_str());
        }
        AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), Utf8ToWide(menu.caption).c_str());
    }
    return bar;
}

AcceleratorTable MakeAccelerators() {
    std::vector<ACCEL> keys;
    for (const ui::Menu& menu : ui::kMainMenus) {
        for (const ui::MenuItem& item : menu.items) {
            const BYTE modifiers = item.shortcut.control ? FVIRTKEY | FCONTROL : FVIRTKEY;
            keys.push_back({modifiers, VirtualKey(item.shortcut.key), static_cast<WORD>(CommandId(item.command))});
        }
    }
    return AcceleratorTable(CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size())));
}

}  // namespace pelliton::win32
