// How an export file reaches the disk: its header, then its texels, through a writer that a front end
// may guard or replace.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <span>

#include "export/AtomicFile.h"

namespace pelliton {

// Puts an export's content at its target; the file system's writer is WriteFileAtomically.
using ExportWriter = std::function<void(const std::filesystem::path& target,
                                        const std::function<void(OutputFile&)>& writeContent)>;

inline void WriteExport(const ExportWriter& write, const std::filesystem::path& target,
                        std::span<const std::byte> header, std::span<const std::byte> texels) {
    write(target, [&](OutputFile& out) {
        out.Reserve(header.size() + texels.size());
        out.Write(header);
        out.Write(texels);
    });
}

}  // namespace pelliton
