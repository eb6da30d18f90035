// Whether standard error is a console, as the C runtime of Windows tells it.
#include <cstdio>
#include <io.h>

#include "cli/shared/ProgressLine.h"

bool pelliton::StandardErrorIsTerminal() { return _isatty(_fileno(stderr)) != 0; }
