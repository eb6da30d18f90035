// The main window's commands, its menus and their shortcut keys, as every front end shows them.
#include "ui/MainMenu.h"

namespace pelliton::ui {

namespace {

std::string_view KeyName(Key key) {
    switch (key) {
        case Key::O:
            return "O";
        case Key::Q:
            return "Q";
        case Key::F1:
            return "F1";
    }
    return {};
}

}  // namespace

std::string ShortcutText(Shortcut shortcut) {
    return (shortcut.control ? "Ctrl+" : "") + std::string(KeyName(shortcut.key));
}

}  // namespace pelliton::ui
