// The main window's commands, its menus and their shortcut keys, as every front end shows them.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace pelliton::ui {

// Refresh, the last, is the button beside the log; the others are menu items.
enum class MainCommand { Open, Quit, About, Refresh };

enum class Key { O, Q, F1 };

struct Shortcut {
    bool control;
    Key key;
};

struct MenuItem {
    MainCommand command;
    std::string_view caption;
    Shortcut shortcut;
};

struct Menu {
    std::string_view caption;
    std::span<const MenuItem> items;
};

inline constexpr MenuItem kFileMenuItems[] = {
    {MainCommand::Open, "&Open", {true, Key::O}},
    {MainCommand::Quit, "&Quit", {true, Key::Q}},
};
inline constexpr MenuItem kHelpMenuItems[] = {
    {MainCommand::About, "&About", {false, Key::F1}},
};
inline constexpr Menu kMainMenus[] = {
    {"&File", kFileMenuItems},
    {"&Help", kHelpMenuItems},
};

// "Ctrl+O", "F1": the text a Windows menu shows after the caption, which Qt also reads.
std::string ShortcutText(Shortcut shortcut);

}  // namespace pelliton::ui
