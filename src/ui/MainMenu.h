// The main window's commands, its menus and their shortcut keys, as every front end shows them.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace pelliton::ui {

// Refresh, the last, is the button beside the log; the others are menu items.
enum class MainCommand {
    Open,
    Save,
    SaveAs,
    ExportAll,
    ExportAllAsPng,
    Quit,
    Replace,
    ViewPerspective,
    ViewFit,
    ViewActualSize,
    ShowAlpha,
    LargerMipLevel,
    SmallerMipLevel,
    About,
    Refresh,
};

enum class Key { O, S, E, Q, R, L, F1, Digit1, Digit2, Digit3, PageUp, PageDown };

struct Shortcut {
    bool control;
    Key key;
    bool shift = false;
};

// How an item shows a state: not at all, as one of a group of choices, or as on or off.
enum class Check { None, Choice, Toggle };

struct MenuItem {
    MainCommand command;
    std::string_view caption;
    Shortcut shortcut;
    bool separatorBefore = false;
    Check check = Check::None;
};

struct Menu {
    std::string_view caption;
    std::span<const MenuItem> items;
};

// The recently opened files are listed in the File menu between a separator and this item.
inline constexpr MainCommand kRecentFilesBefore = MainCommand::Quit;
inline constexpr int kRecentFileCount = 4;

inline constexpr MenuItem kFileMenuItems[] = {
    {MainCommand::Open, "&Open", {true, Key::O}},
    {MainCommand::Save, "&Save", {true, Key::S}},
    {MainCommand::SaveAs, "Save &As...", {true, Key::S, true}},
    {MainCommand::ExportAll, "&Export All Textures...", {true, Key::E}, true},
    {MainCommand::ExportAllAsPng, "Export All Textures as &PNG...", {true, Key::E, true}},
    {MainCommand::Quit, "&Quit", {true, Key::Q}, true},
};
inline constexpr MenuItem kTextureMenuItems[] = {
    {MainCommand::Replace, "&Replace...", {true, Key::R}},
};
inline constexpr MenuItem kViewMenuItems[] = {
    {MainCommand::ViewPerspective, "&Perspective", {true, Key::Digit1}, false, Check::Choice},
    {MainCommand::ViewFit, "&Fit to Pane", {true, Key::Digit2}, false, Check::Choice},
    {MainCommand::ViewActualSize, "&Actual Size", {true, Key::Digit3}, false, Check::Choice},
    {MainCommand::ShowAlpha, "Show A&lpha", {true, Key::L}, true, Check::Toggle},
    {MainCommand::LargerMipLevel, "L&arger MIP Level", {true, Key::PageUp}, true},
    {MainCommand::SmallerMipLevel, "S&maller MIP Level", {true, Key::PageDown}},
};
inline constexpr MenuItem kHelpMenuItems[] = {
    {MainCommand::About, "&About", {false, Key::F1}},
};
inline constexpr Menu kMainMenus[] = {
    {"&File", kFileMenuItems},
    {"&Texture", kTextureMenuItems},
    {"&View", kViewMenuItems},
    {"&Help", kHelpMenuItems},
};

// "Ctrl+O", "Ctrl+Shift+S", "F1": the text a Windows menu shows after the caption, which Qt also reads.
std::string ShortcutText(Shortcut shortcut);

// "&1 C:\mods\ig_tank.rsh": a recent file's menu caption, index counted from 0. Ampersands in the
// path are doubled so that they show.
std::string RecentFileCaption(int index, std::string_view path);

}  // namespace pelliton::ui
