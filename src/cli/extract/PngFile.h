// Writes a presented frame as an RGB PNG file, as exports are written.
#pragma once

#include <filesystem>

#include "preview/d3d8/DeviceWindow.h"

namespace pelliton {

// Throws PellitonError when the file cannot be written.
void WritePngFile(const std::filesystem::path& path, const d3d8::Frame& frame);

}  // namespace pelliton
