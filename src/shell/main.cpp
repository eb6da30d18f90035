// Starts the tool: one main window, opening the file named on the command line once it is shown;
// the process ends when the last window closes.
#include <cstdlib>
#include <iostream>

#include <QApplication>
#include <QTimer>

#include "shell/MainWindow.h"
#include "shell/QtRecentFilesStore.h"
#include "shell/QtWindowDialogs.h"
#include "shell/StartupFile.h"
#include "ui/WindowCommandLine.h"

namespace {

// Qt aborts when it finds no display; say why and how to run it instead.
bool HasDisplay() {
    return std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr ||
           std::getenv("QT_QPA_PLATFORM") != nullptr;
}

}  // namespace

int main(int argc, char* argv[]) {
    // --help and --version need no display: they are answered before Qt starts.
    const pelliton::ui::WindowStart start = pelliton::ui::ParseWindowCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (start.action == pelliton::ui::WindowStart::Action::kPrintHelp) {
        std::cout << pelliton::ui::WindowHelpText();
        return 0;
    }
    if (start.action == pelliton::ui::WindowStart::Action::kPrintVersion) {
        std::cout << pelliton::ui::WindowVersionText();
        return 0;
    }
    if (!HasDisplay()) {
        std::cerr << "pelliton: no display available (DISPLAY is not set); run it on a desktop or under xvfb-run\n";
        return 1;
    }
    QApplication app(argc, argv);
    pelliton::MainWindow window(std::make_unique<pelliton::QtWindowDialogs>(),
                                std::make_unique<pelliton::QtRecentFilesStore>());
    window.show();
    if (const std::optional<QString> file = pelliton::FileToOpenAtStart(QApplication::arguments())) {
        // From the event loop, so that the window is on screen while the file is read.
        QTimer::singleShot(0, &window, [&window, path = *file] { window.OpenFile(path); });
    }
    return app.exec();
}
