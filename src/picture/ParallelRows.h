// Shares work on the rows of a picture among threads.
#pragma once

#include <functional>

namespace pelliton {

// Calls work(first, end) on ranges of rows that together cover [0, rows) once, on up to `threads`
// threads (the calling one among them), and returns when all are done. The ranges are handed out
// as threads ask, so work that writes only its own rows gives the same result however it is shared.
// work must not throw.
void ForRowRanges(int rows, int threads, const std::function<void(int first, int end)>& work);

}  // namespace pelliton
