// The main window's menu bar and shortcut keys, made from the menu table, and the states of its items.
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
        case ui::Key::S:
            return 'S';
        case ui::Key::E:
            return 'E';
        case ui::Key::Q:
            return 'Q';
        case ui::Key::R:
            return 'R';
        case ui::Key::L:
            return 'L';
        case ui::Key::F1:
            return VK_F1;
        case ui::Key::Digit1:
            return '1';
        case ui::Key::Digit2:
            return '2';
        case ui::Key::Digit3:
            return '3';
        case ui::Key::PageUp:
            return VK_PRIOR;
        case ui::Key::PageDown:
            return VK_NEXT;
    }
    return 0;
}

void AppendSeparator(HMENU popup) { AppendMenuW(popup, MF_SEPARATOR, 0, nullptr); }

// The recent files stand between the separator before kRecentFilesBefore and a separator of their own.
void FillMenu(HMENU popup, const ui::Menu& menu, std::span<const std::string> recentFiles) {
    for (const ui::MenuItem& item : menu.items) {
        if (item.separatorBefore) AppendSeparator(popup);
        if (item.command == ui::kRecentFilesBefore && !recentFiles.empty()) {
            for (int i = 0; i < static_cast<int>(recentFiles.size()) && i < ui::kRecentFileCount; ++i) {
                AppendMenuW(popup, MF_STRING, static_cast<UINT_PTR>(RecentFileId(i)),
                            Utf8ToWide(ui::RecentFileCaption(i, recentFiles[static_cast<std::size_t>(i)])).c_str());
            }
            AppendSeparator(popup);
        }
        AppendMenuW(popup, MF_STRING, static_cast<UINT_PTR>(CommandId(item.command)), MenuItemText(item).c_str());
    }
}

bool HoldsRecentFiles(const ui::Menu& menu) {
    for (const ui::MenuItem& item : menu.items) {
        if (item.command == ui::kRecentFilesBefore) return true;
    }
    return false;
}

UINT ItemId(ui::MainCommand command) { return static_cast<UINT>(CommandId(command)); }

// Consecutive Check::Choice items are one group, of which the checked one carries the mark.
void ShowChoiceGroups(HMENU popup, const ui::Menu& menu, const std::function<bool(ui::MainCommand)>& isChecked) {
    const std::size_t count = menu.items.size();
    for (std::size_t first = 0; first < count;) {
        if (menu.items[first].check != ui::Check::Choice) {
            ++first;
            continue;
        }
        std::size_t last = first;
        UINT checked = 0;
        for (std::size_t i = first; i < count && menu.items[i].check == ui::Check::Choice; ++i) {
            last = i;
            if (isChecked(menu.items[i].command)) checked = ItemId(menu.items[i].command);
        }
        const UINT firstId = ItemId(menu.items[first].command);
        const UINT lastId = ItemId(menu.items[last].command);
        if (checked != 0) {
            CheckMenuRadioItem(popup, firstId, lastId, checked, MF_BYCOMMAND);
        } else {
            for (UINT id = firstId; id <= lastId; ++id) CheckMenuItem(popup, id, MF_BYCOMMAND | MF_UNCHECKED);
        }
        first = last + 1;
    }
}

}  // namespace

std::wstring MenuItemText(const ui::MenuItem& item) {
    return Utf8ToWide(item.caption) + L"\t" + Utf8ToWide(ui::ShortcutText(item.shortcut));
}

HMENU MakeMenuBar() {
    HMENU bar = CreateMenu();
    for (const ui::Menu& menu : ui::kMainMenus) {
        HMENU popup = CreatePopupMenu();
        FillMenu(popup, menu, {});
        AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), Utf8ToWide(menu.caption).c_str());
    }
    return bar;
}

// The menu is filled anew; the caller shows the states of its items again.
void ShowRecentFiles(HMENU bar, std::span<const std::string> paths) {
    int position = 0;
    for (const ui::Menu& menu : ui::kMainMenus) {
        if (HoldsRecentFiles(menu)) {
            HMENU popup = GetSubMenu(bar, position);
            while (GetMenuItemCount(popup) > 0) DeleteMenu(popup, 0, MF_BYPOSITION);
            FillMenu(popup, menu, paths);
        }
        ++position;
    }
}

void ShowCommandStates(HMENU bar, const std::function<bool(ui::MainCommand)>& isEnabled,
                       const std::function<bool(ui::MainCommand)>& isChecked) {
    int position = 0;
    for (const ui::Menu& menu : ui::kMainMenus) {
        HMENU popup = GetSubMenu(bar, position++);
        for (const ui::MenuItem& item : menu.items) {
            const UINT id = ItemId(item.command);
            EnableMenuItem(popup, id, MF_BYCOMMAND | (isEnabled(item.command) ? MF_ENABLED : MF_GRAYED));
            if (item.check == ui::Check::Toggle) {
                CheckMenuItem(popup, id, MF_BYCOMMAND | (isChecked(item.command) ? MF_CHECKED : MF_UNCHECKED));
            }
        }
        ShowChoiceGroups(popup, menu, isChecked);
    }
}

AcceleratorTable MakeAccelerators() {
    std::vector<ACCEL> keys;
    for (const ui::Menu& menu : ui::kMainMenus) {
        for (const ui::MenuItem& item : menu.items) {
            BYTE modifiers = FVIRTKEY;
            if (item.shortcut.control) modifiers |= FCONTROL;
            if (item.shortcut.shift) modifiers |= FSHIFT;
            keys.push_back({modifiers, VirtualKey(item.shortcut.key), static_cast<WORD>(CommandId(item.command))});
        }
    }
    return AcceleratorTable(CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size())));
}

}  // namespace pelliton::win32
