// Whether a file already holds the content a writer would give it, found without writing anything:
// an export that is still as it was written needs neither a new copy nor a second look.
#pragma once

#include <filesystem>
#include <functional>

#include "export/AtomicFile.h"

namespace pelliton {

// Whether the regular file at path holds exactly what writeContent writes, compared as it comes; the
// first difference ends the reading. Throws PellitonError when the file cannot be read.
bool FileHoldsContent(const std::filesystem::path& path, const std::function<void(OutputFile&)>& writeContent);

}  // namespace pelliton
