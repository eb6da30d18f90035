// The main window's commands, its menus and their shortcut keys, as every front end shows them.
#include "ui/MainMenu.h"

namespace pelliton::ui {

namespace {

std::string_view KeyName(Key key) {
    switch (key) {
        case Key::O:
            return "O";
        case Key::S:
            return "S";
        case Key::E:
            return "E";
        case Key::Q:
            return "Q";
        case Key::R:
            return "R";
        case Key::L:
            return "L";
        case Key::F1:
            return "F1";
        case Key::Digit1:
            return "1";
        case Key::Digit2:
            return "2";
        case Key::Digit3:
            return "3";
        case Key::PageUp:
            return "PgUp";
        case Key::PageDown:
            return "PgDown";
    }
    return {};
}

}  // namespace

std::string ShortcutText(Shortcut shortcut) {
    return std::string(shortcut.control ? "Ctrl+" : "") + (shortcut.shift ? "Shift+" : "") +
           std::string(KeyName(shortcut.key));
}

std::string RecentFileCaption(int index, std::string_view path) {
    std::string caption(1, '&');
    caption.append(std::to_string(index + 1)).push_back(' ');
    for (const char c : path) {
        caption.push_back(c);
        if (c == '&') caption.push_back('&');
    }
    return caption;
}

}  // namespace pelliton::ui
