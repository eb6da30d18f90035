// How an export file reaches the disk: through a writer that a front end may guard or replace.
#pragma once

#include <filesystem>
#include <functional>

#include "export/AtomicFile.h"

namespace pelliton {

// Puts an export's content at its target; the file system's writer is WriteFileAtomically.
using ExportWriter = std::function<void(const std::filesystem::path& target,
                                        const std::function<void(OutputFile&)>& writeContent)>;

}  // namespace pelliton
