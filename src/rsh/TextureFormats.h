// The texture formats the tool handles, by image type: one table for the reader, the exporter and the preview.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace pelliton {

enum class TexelLayout {
    BlockCompressed,  // texel bytes copied unchanged into a DDS file
    Uncompressed,     // four bytes per texel, written as a TGA file
};

struct TextureFormat {
    std::int32_t imageType;
    TexelLayout layout;
    std::string_view fourCC;  // block-compressed formats only
    std::int32_t headCode;    // the first value of a texture's DATAHEAD in the game's files; 0: none seen
};

inline constexpr std::int32_t kImageTypeUncompressed = 1;
inline constexpr std::int32_t kImageTypeDxt3 = 4;
inline constexpr std::int32_t kImageTypeDxt3Game = 10;  // how the game's own files mark DXT3
inline constexpr std::int32_t kImageTypeDxt1 = 8;
inline constexpr std::int32_t kImageTypeDxt5 = 11;

inline constexpr std::array kTextureFormats = {
    TextureFormat{kImageTypeDxt1, TexelLayout::BlockCompressed, "DXT1", 5},
    TextureFormat{kImageTypeDxt3, TexelLayout::BlockCompressed, "DXT3", 6},
    TextureFormat{kImageTypeDxt3Game, TexelLayout::BlockCompressed, "DXT3", 6},
    TextureFormat{kImageTypeDxt5, TexelLayout::BlockCompressed, "DXT5", 7},
    TextureFormat{kImageTypeUncompressed, TexelLayout::Uncompressed, "", 0},
};

// The format of an image type, or nullptr when the tool does not handle it.
constexpr const TextureFormat* FindTextureFormat(std::int32_t imageType) {
    for (const TextureFormat& format : kTextureFormats) {
        if (format.imageType == imageType) return &format;
    }
    return nullptr;
}

}  // namespace pelliton
