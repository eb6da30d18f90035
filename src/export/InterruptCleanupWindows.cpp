// Console interruptions on Windows: Ctrl+C, Ctrl+Break, and the console window closed. The handler
// runs on a thread of its own while the write goes on; a file deleted while open disappears when
// the process ends and closes it.
#include "export/InterruptCleanup.h"

#include <windows.h>

namespace pelliton {

namespace {

BOOL WINAPI OnConsoleInterrupt(DWORD /*event*/) {
    RemoveRegisteredFiles();
    return FALSE;  // the next handler, the system's, ends the process
}

}  // namespace

void InstallInterruptHandlers() { SetConsoleCtrlHandler(OnConsoleInterrupt, TRUE); }

void RemoveFileNow(const wchar_t* name) noexcept { DeleteFileW(name); }

}  // namespace pelliton
