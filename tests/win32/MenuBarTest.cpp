// The main window's menus and shortcut keys as Windows gets them: the texts with their keys after
// a tab, and each key sending its item's command.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "win32/ControlIds.h"
#include "win32/MenuBar.h"

namespace pelliton::win32 {
namespace {

std::wstring MenuText(HMENU menu, UINT position) {
    wchar_t text[64] = {};
    GetMenuStringW(menu, position, text, static_cast<int>(std::size(text)), MF_BYPOSITION);
    return text;
}

TEST(MenuBar, FileHoldsOpenAndQuitAndHelpHoldsAbout) {
    HMENU bar = MakeMenuBar();
    ASSERT_EQ(GetMenuItemCount(bar), 2);
    EXPECT_EQ(MenuText(bar, 0), L"&File");
    EXPECT_EQ(MenuText(bar, 1), L"&Help");

    struct Item {
        HMENU menu;
        UINT position;
        std::wstring text;
        int id;
    };
    HMENU file = GetSubMenu(bar, 0);
    HMENU help = GetSubMenu(bar, 1);
    ASSERT_EQ(GetMenuItemCount(file), 2);
    ASSERT_EQ(GetMenuItemCount(help), 1);
    const Item items[] = {
        {file, 0, L"&Open\tCtrl+O", CommandId(ui::MainCommand::Open)},
        {file, 1, L"&Quit\tCtrl+Q", CommandId(ui::MainCommand::Quit)},
        {help, 0, L"&About\tF1", CommandId(ui::MainCommand::About)},
    };
    for (const Item& item : items) {
        SCOPED_TRACE(testing::PrintToString(item.text));
        EXPECT_EQ(MenuText(item.menu, item.position), item.text);
        EXPECT_EQ(static_cast<int>(GetMenuItemID(item.menu, static_cast<int>(item.position))), item.id);
    }
    DestroyMenu(bar);
}

TEST(MenuBar, ShortcutKeysSendTheirItemsCommands) {
    const AcceleratorTable table = MakeAccelerators();
    ASSERT_NE(table, nullptr);
    std::vector<ACCEL> keys(static_cast<std::size_t>(CopyAcceleratorTableW(table.get(), nullptr, 0)));
    CopyAcceleratorTableW(table.get(), keys.data(), static_cast<int>(keys.size()));
    ASSERT_EQ(keys.size(), 3u);

    struct Key {
        BYTE flags;
        WORD key;
        int command;
    };
    const Key expected[] = {
        {FVIRTKEY | FCONTROL, 'O', CommandId(ui::MainCommand::Open)},
        {FVIRTKEY | FCONTROL, 'Q', CommandId(ui::MainCommand::Quit)},
        {FVIRTKEY, VK_F1, CommandId(ui::MainCommand::About)},
    };
    for (std::size_t i = 0; i < keys.size(); ++i) {
        SCOPED_TRACE(i);
        // Windows may mark the last entry of a table it hands out; only the key's own flags count.
        EXPECT_EQ(keys[i].fVirt & (FVIRTKEY | FCONTROL | FSHIFT | FALT), expected[i].flags);
        EXPECT_EQ(keys[i].key, expected[i].key);
        EXPECT_EQ(keys[i].cmd, expected[i].command);
    }
}

}  // namespace
}  // namespace pelliton::win32
