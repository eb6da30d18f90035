// The command-line tool's output is the same bytes on every platform.
#pragma once

namespace pelliton {

// On Windows: standard output and error take bytes as they are ("\n" stays "\n"), and a console
// shows them as UTF-8. Elsewhere they already do.
void UseUtf8BinaryStandardStreams();

}  // namespace pelliton
