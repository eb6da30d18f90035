// Writes the loaded texture as a stand-alone DDS or TGA file named after its source.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "DdsHeader.h"
#include "DebugLog.h"
#include "TgaHeader.h"
#include "modRSH.h"

namespace pelliton {

// What an export leaves behind for the preview and the next export.
struct ExportState {
    // The name of the file the exporter last set out to write, without a folder. It changes just
    // before the output is written and keeps its value when an export stops earlier.
    std::string ExportPath;
    DdsFileHeader DdsHeader;
    TgaFileHeader TgaHeader;
};

// Logs what it does; an image type without an export is reported, not an error. The file goes
// into outputFolder (empty: the current directory). Throws PellitonError; an existing file of the
// output name is then left as it was.
void ExtractTexture(const modRSH& rsh, std::string_view SourcePath, const std::filesystem::path& outputFolder,
                    ExportState& state, DebugLog& log);

}  // namespace pelliton
