#include "rsh/TreeTextures.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "common/LittleEndianReader.h"
#include "rsh/Latin1.h"

namespace pelliton {

namespace {

const Chunk* FindChild(const Chunk& folder, std::string_view tag) {
    const auto found =
        std::find_if(folder.children.begin(), folder.children.end(), [&](const Chunk& c) { return c.Tag() == tag; });
    return found == folder.children.end() ? nullptr : &*found;
}

std::string LastNameComponent(std::string name) {
    std::erase(name, '\0');
    const std::size_t separator = name.find_last_of("/\\");
    return Latin1ToUtf8(separator == std::string::npos ? name : name.substr(separator + 1));
}

TreeTexture ReadTexture(const Chunk& folder, const ByteSource& file) {
    TreeTexture texture;
    texture.name = LastNameComponent(folder.name);
    texture.folder = &folder;
    texture.head = FindChild(folder, "DATAHEAD");
    const Chunk* image = FindChild(folder, "FOLDIMAG");
    if (image == nullptr) {
        texture.problem = "it has no FOLDIMAG";
        return texture;
    }
    texture.attr = FindChild(*image, "DATAATTR");
    texture.data = FindChild(*image, "DATADATA");
    if (texture.attr == nullptr || texture.data == nullptr) {
        texture.problem = texture.attr == nullptr ? "its FOLDIMAG has no DATAATTR" : "its FOLDIMAG has no DATADATA";
        return texture;
    }
    if (static_cast<std::size_t>(texture.attr->size) < kAttrBodyBytes) {
        texture.problem = "its DATAATTR holds " + std::to_string(texture.attr->size) + " bytes, not " +
                          std::to_string(kAttrBodyBytes);
        return texture;
    }
    if (texture.head != nullptr && static_cast<std::size_t>(texture.head->size) < kHeadBodyBytes) {
        texture.problem = "its DATAHEAD holds " + std::to_string(texture.head->size) + " bytes, not " +
                          std::to_string(kHeadBodyBytes);
        return texture;
    }
    std::array<std::uint8_t, kAttrBodyBytes> attr;
    file.ReadAt(texture.attr->BodyOffset(), attr);
    LittleEndianReader values(attr);
    texture.attributes.imageType = static_cast<std::int32_t>(values.UInt32());
    texture.attributes.width = static_cast<std::int32_t>(values.UInt32());
    texture.attributes.height = static_cast<std::int32_t>(values.UInt32());
    texture.attributes.mipLevels = static_cast<std::int32_t>(values.UInt32());
    return texture;
}

void CollectTextures(const std::vector<Chunk>& chunks, const ByteSource& file,
                     std::vector<TreeTexture>& textures) {
    for (const Chunk& chunk : chunks) {
        if (chunk.Tag() == "FOLDTXTR") {
            textures.push_back(ReadTexture(chunk, file));
        } else {
            CollectTextures(chunk.children, file, textures);
        }
    }
}

}  // namespace

std::vector<TreeTexture> FindTextures(const ChunkTree& tree, const ByteSource& file) {
    std::vector<TreeTexture> textures;
    CollectTextures(tree.chunks, file, textures);
    return textures;
}

}  // namespace pelliton
