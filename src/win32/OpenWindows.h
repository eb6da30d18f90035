// The process runs while any of its windows is open, whichever closes last.
#pragma once

namespace pelliton::win32 {

void WindowOpened();
// Ends the message loop once the last window has closed.
void WindowClosed();

}  // namespace pelliton::win32
