// Content written into memory rather than a file: an export or an edited file that is shown or kept
// before, or instead of, being written to disk.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "export/AtomicFile.h"
#include "export/ExportWriter.h"

namespace pelliton {

// What writeContent writes. Throws what it throws, and PellitonError when a source range it copies
// cannot be read.
std::vector<std::uint8_t> ContentInMemory(const std::function<void(OutputFile&)>& writeContent);

// A writer that keeps the content of the last export it is given in into, and writes no file.
ExportWriter WriterIntoMemory(std::vector<std::uint8_t>& into);

}  // namespace pelliton
