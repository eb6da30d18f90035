// Termination signals on Linux: SIGINT (Ctrl+C), SIGTERM and SIGHUP (the terminal closed).
#include "export/InterruptCleanup.h"

#include <signal.h>
#include <unistd.h>

namespace pelliton {

namespace {

// The handler is reset on entry, so raising the signal again ends the program as it would have
// ended without us once the handler returns.
void OnTerminationSignal(int signal) {
    RemoveRegisteredFiles();
    raise(signal);
}

}  // namespace

void InstallInterruptHandlers() {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction current {};
        // A signal that is ignored (nohup) or handled by the program stays as it is.
        if (sigaction(signal, nullptr, &current) != 0 || (current.sa_flags & SA_SIGINFO) != 0 ||
            current.sa_handler != SIG_DFL) {
            continue;
        }
        struct sigaction ours {};
        ours.sa_handler = OnTerminationSignal;
        sigemptyset(&ours.sa_mask);
        ours.sa_flags = SA_RESETHAND | SA_RESTART;
        sigaction(signal, &ours, nullptr);
    }
}

void RemoveFileNow(const char* name) noexcept { unlink(name); }

}  // namespace pelliton
