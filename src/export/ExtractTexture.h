// Writes the texture the window read as a stand-alone DDS or TGA file named after its source.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "common/DebugLog.h"
#include "export/ExportWriter.h"
#include "rsh/RshRecords.h"

namespace pelliton {

// What an export leaves behind for the next one.
struct ExportState {
    // The name of the file the exporter last set out to write, without a folder. It changes just
    // before the output is written and keeps its value when an export stops earlier.
    std::string exportPath;
};

// Logs what it does; an image type without an export is reported, not an error. The file goes
// into outputFolder (empty: the current directory) through write. Returns the written file's
// absolute location, taken as it is written, or nothing for an image type without an export.
// Throws PellitonError; an existing file of the output name is then left as it was.
std::optional<std::filesystem::path> ExtractTexture(const RshRecords& rsh, std::string_view sourcePath,
                                                    const std::filesystem::path& outputFolder, ExportState& state,
                                                    DebugLog& log, const ExportWriter& write = WriteFileAtomically);

}  // namespace pelliton
