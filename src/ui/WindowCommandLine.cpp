// The window program's command line: a file to open, or a text to print instead of a window.
#include "ui/WindowCommandLine.h"

#include "common/Version.h"

namespace pelliton::ui {

WindowStart ParseWindowCommandLine(const std::vector<std::string>& arguments) {
    WindowStart start;
    bool optionsEnded = false;
    for (const std::string& argument : arguments) {
        if (argument.empty()) continue;
        if (optionsEnded || argument.front() != '-') {
            start.file = argument;
            return start;
        }
        if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "-h" || argument == "--help") {
            return {WindowStart::Action::kPrintHelp, std::nullopt};
        } else if (argument == "--version") {
            return {WindowStart::Action::kPrintVersion, std::nullopt};
        }
    }
    return start;
}

std::string WindowHelpText() {
    return "Usage: pelliton [OPTION]... [[--] FILE]\n"
           "Opens the main window and, when FILE is given, FILE in it: an RSH texture file,\n"
           "whose first texture is written beside it as a DDS or TGA file and shown in the\n"
           "preview pane, or a WTP team colour pattern, painted in the army's colours.\n"
           "\n"
           "Options:\n"
           "  -h, --help       show this help and exit\n"
           "  --version        show the version and exit\n"
           "  --               treat the next argument as the file, even if it starts with '-'\n";
}

std::string WindowVersionText() { return "pelliton " + VersionNumber() + "\n"; }

}  // namespace pelliton::ui
