// Whether standard error is a terminal, as POSIX tells it.
#include <unistd.h>

#include "cli/shared/ProgressLine.h"

bool pelliton::StandardErrorIsTerminal() { return isatty(STDERR_FILENO) == 1; }
