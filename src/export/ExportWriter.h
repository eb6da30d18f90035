// How an export file reaches the disk: through a writer that a front end may guard or replace.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <utility>

#include "export/AtomicFile.h"

namespace pelliton {

// Puts an export's content at its target; the file system's writer is WriteFileAtomically.
using ExportWriter = std::function<void(const std::filesystem::path& target,
                                        const std::function<void(OutputFile&)>& writeContent)>;

// write, but refusing a target that is the file input (UTF-8) under any name: an export named as a
// link to its source would otherwise take the source's place.
inline ExportWriter WriterSparing(const std::string& input, ExportWriter write) {
    return [input, write = std::move(write)](const std::filesystem::path& target,
                                             const std::function<void(OutputFile&)>& writeContent) {
        RefuseInputAsOutput(target, input);
        write(target, writeContent);
    };
}

}  // namespace pelliton
