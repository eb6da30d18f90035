// What the window program is asked to do by its command line, the same on every platform.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace pelliton::ui {

struct WindowStart {
    enum class Action { kOpenWindow, kPrintHelp, kPrintVersion };
    Action action = Action::kOpenWindow;
    std::optional<std::string> file;  // the file to open once the window shows (UTF-8)
};

// The arguments after the program's own name. The file is the first argument that is not an
// option ("-x", "--x"); after "--" every argument is a file. -h/--help and --version come before
// any file; other options are left alone, as a desktop launcher may add its own.
WindowStart ParseWindowCommandLine(const std::vector<std::string>& arguments);

// What --help and --version print, each ended by a newline.
std::string WindowHelpText();
std::string WindowVersionText();

}  // namespace pelliton::ui
