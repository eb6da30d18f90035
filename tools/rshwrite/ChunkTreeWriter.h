// Builds RSH files as chunk trees shaped like the game's own: several textures, a shader folder,
// chunk kinds no reader of ours knows. Sizes are worked out from the content.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pelliton {

struct ChunkSpec {
    std::string type;  // "FOLD" or "DATA" (or anything else, for a chunk kind nobody knows)
    std::string id;
    std::int32_t version = 1;
    std::string name;                // stored as it is, zeros included
    std::vector<std::uint8_t> data;  // the body of a chunk that is not a folder
    std::vector<ChunkSpec> children;
};

ChunkSpec FoldChunk(std::string id, std::int32_t version, std::string name, std::vector<ChunkSpec> children);
ChunkSpec DataChunk(std::string id, std::int32_t version, std::vector<std::uint8_t> data, std::string name = "");

// The file header ("Relic Chunky", "\r\n\x1a\0", 1, 1) and the chunks.
std::vector<std::uint8_t> WriteChunkTreeBytes(const std::vector<ChunkSpec>& chunks);

// A FOLDTXTR named gamePath plus a zero, holding DATAHEAD (the format's code, 1) and FOLDIMAG with
// DATAATTR and DATADATA (the texels as given), with the versions the game's files carry.
ChunkSpec GameTextureFolder(const std::string& gamePath, std::int32_t imageType, std::int32_t width,
                            std::int32_t height, std::int32_t mipLevels, std::vector<std::uint8_t> texels);

// A FOLDSHRF named gamePath plus a zero, holding the textures and then a FOLDSHDR with a DATAINFO
// and six DATACHAN chunks, as the game's files do.
std::vector<std::uint8_t> GameTextureFile(const std::string& gamePath, std::vector<ChunkSpec> textures);

}  // namespace pelliton
