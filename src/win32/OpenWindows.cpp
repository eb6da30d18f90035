// The process runs while any of its windows is open, whichever closes last.
#include "win32/OpenWindows.h"

#include <windows.h>

namespace pelliton::win32 {

namespace {

int openWindows = 0;  // only the user-interface thread counts

}  // namespace

void WindowOpened() { ++openWindows; }

void WindowClosed() {
    if (--openWindows == 0) PostQuitMessage(0);
}

}  // namespace pelliton::win32
