// Large texture files for the benchmarks, written once per run into a temporary folder.
#pragma once

#include <string>
#include <string_view>

#include "session/SessionView.h"

namespace pelliton::bench {

// The benchmarks measure the work, not the log or the status line.
class NullView : public SessionView {
public:
    void AddDebugLine(std::string_view) override {}
    void ClearLog() override {}
    void SetStatusText(std::string_view) override {}
};

// A 4096 x 4096 DXT5 texture with its full MIP chain (about 22 MB of texel data).
const std::string& Dxt5File4096();
// A 2048 x 2048 uncompressed texture (16 MB of texel data).
const std::string& UncompressedFile2048();
// A mod folder as the game lays one out: 240 files in 12 folders, each file with a 512 x 512 DXT5
// map, a 256 x 256 DXT1 map and a 64 x 64 DXT3 reflection map shared by name (about 110 MB).
const std::string& ModFolder();

}  // namespace pelliton::bench
