// Game-shaped RSH files, pictures and DDS images for the tests of pelliton-rsh, and the program
// run in-process with what it prints kept apart by stream.
#pragma once

#include <cstdint>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/rsh/RshProgram.h"
#include "common/DdsFormat.h"
#include "rsh/TextureFormats.h"
#include "rshwrite/ChunkTreeWriter.h"
#include "support/PatternBytes.h"

namespace pelliton::testing {

struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

inline ToolRun RunTool(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunRshTool(args, out, err);
    return {status, out.str(), err.str()};
}

inline const std::string kGamePath = "Art/EBPs/races/imperial_guard/texture_share/ig_baneblade_a";

// One texture of a test file: its name's last part, its attributes and texels.
struct TextureSpec {
    std::string name;
    std::int32_t imageType;
    std::int32_t width;
    std::int32_t height;
    std::int32_t mipLevels;
    std::vector<std::uint8_t> texels;
};

// A block-compressed texture with the whole MIP chain its sides call for.
inline TextureSpec BlockTexture(const std::string& name, std::int32_t imageType, std::string_view fourCC, int width,
                                int height, int mipLevels, std::uint8_t seed) {
    const auto bytes = dds::MipChainBytes(dds::FourCC(fourCC), width, height, mipLevels);
    return {name, imageType, width, height, mipLevels, PatternBytes(bytes, seed)};
}

// The game file holding the textures, each under the game path's folder.
inline std::vector<std::uint8_t> GameFile(const std::vector<TextureSpec>& textures) {
    std::vector<ChunkSpec> folders;
    const std::string folder = kGamePath.substr(0, kGamePath.rfind('/') + 1);
    for (const TextureSpec& t : textures) {
        folders.push_back(GameTextureFolder(folder + t.name, t.imageType, t.width, t.height, t.mipLevels, t.texels));
    }
    return GameTextureFile(kGamePath, std::move(folders));
}

// A DDS file of the format with texels after its header, as the exporter writes them.
std::vector<std::uint8_t> DdsFileBytes(std::string_view fourCC, int width, int height, int mipLevels,
                                       const std::vector<std::uint8_t>& texels);

// An uncompressed 32-bit TGA of rgba (rows top first), stored with the top row first or last.
std::vector<std::uint8_t> TgaFileBytes(int width, int height, const std::vector<std::uint8_t>& rgba, bool topFirst);

// A PNG of rgba (rows top first), made by ImageMagick.
std::filesystem::path WritePng(const std::filesystem::path& path, int width, int height,
                               const std::vector<std::uint8_t>& rgba);

}  // namespace pelliton::testing
