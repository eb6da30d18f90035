// Starts the tool: one main window, and the process ends when the last window closes.
#include <cstdlib>
#include <iostream>

#include <QApplication>

#include "shell/MainWindow.h"

namespace {

// Qt aborts when it finds no display; say why and how to run it instead.
bool HasDisplay() {
    return std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr ||
           std::getenv("QT_QPA_PLATFORM") != nullptr;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (!HasDisplay()) {
        std::cerr << "pelliton: no display available (DISPLAY is not set); run it on a desktop or under xvfb-run\n";
        return 1;
    }
    QApplication app(argc, argv);
    pelliton::MainWindow window;
    window.show();
    return app.exec();
}
