// The main window's menus and shortcut keys as Windows gets them: the texts with their keys after
// a tab, the separators, the recent files in their place, the states of the items, and each key
// sending its item's command.
#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "win32/ControlIds.h"
#include "win32/MenuBar.h"

namespace pelliton::win32 {
namespace {

using ui::MainCommand;

std::wstring MenuText(HMENU menu, UINT position) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, position, text, static_cast<int>(std::size(text)), MF_BYPOSITION);
    return text;
}

// Each item as "text" or "-" for a separator.
std::vector<std::wstring> Items(HMENU menu) {
    std::vector<std::wstring> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        const bool separator = (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR) != 0;
        items.push_back(separator ? L"-" : MenuText(menu, static_cast<UINT>(i)));
    }
    return items;
}

class MenuBarTest : public testing::Test {
protected:
    void TearDown() override { DestroyMenu(bar); }
    HMENU bar = MakeMenuBar();
};

TEST_F(MenuBarTest, EachMenuHoldsItsItemsWithTheirKeysAndSeparators) {
    ASSERT_EQ(GetMenuItemCount(bar), 4);
    const std::vector<std::wstring> menus[] = {
        {L"&Open\tCtrl+O", L"&Save\tCtrl+S", L"Save &As...\tCtrl+Shift+S", L"-", L"&Export All Textures...\tCtrl+E",
         L"Export All Textures as &PNG...\tCtrl+Shift+E", L"-", L"&Quit\tCtrl+Q"},
        {L"&Replace...\tCtrl+R"},
        {L"&Perspective\tCtrl+1", L"&Fit to Pane\tCtrl+2", L"&Actual Size\tCtrl+3", L"-", L"Show A&lpha\tCtrl+L", L"-",
         L"L&arger MIP Level\tCtrl+PgUp", L"S&maller MIP Level\tCtrl+PgDown"},
        {L"&About\tF1"},
    };
    const wchar_t* captions[] = {L"&File", L"&Texture", L"&View", L"&Help"};
    for (UINT i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(MenuText(bar, i), captions[i]);
        EXPECT_EQ(Items(GetSubMenu(bar, static_cast<int>(i))), menus[i]);
    }
    HMENU file = GetSubMenu(bar, 0);
    EXPECT_EQ(static_cast<int>(GetMenuItemID(file, 0)), CommandId(MainCommand::Open));
    EXPECT_EQ(static_cast<int>(GetMenuItemID(file, 7)), CommandId(MainCommand::Quit));
}

TEST_F(MenuBarTest, RecentFilesStandBeforeQuitAndAreReplacedWhenTheListChanges) {
    HMENU file = GetSubMenu(bar, 0);
    const std::vector<std::string> two{"C:\\mods\\a&b.rsh", "C:\\mods\\caf\xC3\xA9.rsh"};
    ShowRecentFiles(bar, two);
    std::vector<std::wstring> items = Items(file);
    ASSERT_EQ(items.size(), 11u);
    EXPECT_EQ(std::vector(items.begin() + 6, items.end()),
              (std::vector<std::wstring>{L"-", L"&1 C:\\mods\\a&&b.rsh", L"&2 C:\\mods\\caf\u00E9.rsh", L"-", L"&Quit\tCtrl+Q"}));
    EXPECT_EQ(static_cast<int>(GetMenuItemID(file, 7)), RecentFileId(0));
    EXPECT_EQ(static_cast<int>(GetMenuItemID(file, 8)), RecentFileId(1));

    ShowRecentFiles(bar, std::vector<std::string>{"C:\\one.rsh"});
    items = Items(file);
    EXPECT_EQ(std::vector(items.begin() + 6, items.end()),
              (std::vector<std::wstring>{L"-", L"&1 C:\\one.rsh", L"-", L"&Quit\tCtrl+Q"}));

    ShowRecentFiles(bar, {});
    EXPECT_EQ(GetMenuItemCount(file), 8);
}

TEST_F(MenuBarTest, ItemsShowWhetherTheyAreEnabledAndChecked) {
    const std::set<MainCommand> enabled{MainCommand::Open, MainCommand::ViewFit, MainCommand::ShowAlpha};
    const std::set<MainCommand> checked{MainCommand::ViewFit, MainCommand::ShowAlpha};
    ShowCommandStates(
        bar, [&](MainCommand command) { return enabled.contains(command); },
        [&](MainCommand command) { return checked.contains(command); });
    for (const ui::Menu& menu : ui::kMainMenus) {
        for (const ui::MenuItem& item : menu.items) {
            SCOPED_TRACE(std::string(item.caption));
            const UINT state = GetMenuState(bar, static_cast<UINT>(CommandId(item.command)), MF_BYCOMMAND);
            EXPECT_EQ((state & MF_GRAYED) == 0, enabled.contains(item.command));
            EXPECT_EQ((state & MF_CHECKED) != 0, checked.contains(item.command));
        }
    }
    // The views are choices: shown with a bullet, one at a time.
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoW(bar, static_cast<UINT>(CommandId(MainCommand::ViewFit)), FALSE, &info);
    EXPECT_NE(info.fType & MFT_RADIOCHECK, 0u);

    ShowCommandStates(
        bar, [](MainCommand) { return true; }, [](MainCommand command) { return command == MainCommand::ViewActualSize; });
    EXPECT_EQ(GetMenuState(bar, static_cast<UINT>(CommandId(MainCommand::ViewFit)), MF_BYCOMMAND) & MF_CHECKED, 0u);
    EXPECT_EQ(GetMenuState(bar, static_cast<UINT>(CommandId(MainCommand::ShowAlpha)), MF_BYCOMMAND) & MF_CHECKED, 0u);
    EXPECT_NE(GetMenuState(bar, static_cast<UINT>(CommandId(MainCommand::ViewActualSize)), MF_BYCOMMAND) & MF_CHECKED, 0u);
}

TEST(MenuBar, ShortcutKeysSendTheirItemsCommands) {
    const AcceleratorTable table = MakeAccelerators();
    ASSERT_NE(table, nullptr);
    std::vector<ACCEL> keys(static_cast<std::size_t>(CopyAcceleratorTableW(table.get(), nullptr, 0)));
    CopyAcceleratorTableW(table.get(), keys.data(), static_cast<int>(keys.size()));

    struct Key {
        BYTE flags;
        WORD key;
        MainCommand command;
    };
    constexpr BYTE kCtrl = FVIRTKEY | FCONTROL;
    constexpr BYTE kCtrlShift = FVIRTKEY | FCONTROL | FSHIFT;
    const Key expected[] = {
        {kCtrl, 'O', MainCommand::Open},
        {kCtrl, 'S', MainCommand::Save},
        {kCtrlShift, 'S', MainCommand::SaveAs},
        {kCtrl, 'E', MainCommand::ExportAll},
        {kCtrlShift, 'E', MainCommand::ExportAllAsPng},
        {kCtrl, 'Q', MainCommand::Quit},
        {kCtrl, 'R', MainCommand::Replace},
        {kCtrl, '1', MainCommand::ViewPerspective},
        {kCtrl, '2', MainCommand::ViewFit},
        {kCtrl, '3', MainCommand::ViewActualSize},
        {kCtrl, 'L', MainCommand::ShowAlpha},
        {kCtrl, VK_PRIOR, MainCommand::LargerMipLevel},
        {kCtrl, VK_NEXT, MainCommand::SmallerMipLevel},
        {FVIRTKEY, VK_F1, MainCommand::About},
    };
    ASSERT_EQ(keys.size(), std::size(expected));
    for (std::size_t i = 0; i < keys.size(); ++i) {
        SCOPED_TRACE(i);
        // Windows may mark the last entry of a table it hands out; only the key's own flags count.
        EXPECT_EQ(keys[i].fVirt & (FVIRTKEY | FCONTROL | FSHIFT | FALT), expected[i].flags);
        EXPECT_EQ(keys[i].key, expected[i].key);
        EXPECT_EQ(keys[i].cmd, CommandId(expected[i].command));
    }
}

}  // namespace
}  // namespace pelliton::win32
