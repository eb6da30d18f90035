#include "export/TexturePicture.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>

#include "common/DdsFormat.h"
#include "common/DxtBlock.h"
#include "common/ImageSides.h"
#include "common/PellitonError.h"
#include "export/TreeTextureExport.h"
#include "picture/MipChain.h"
#include "rsh/TexelReading.h"

namespace pelliton {

namespace {

constexpr std::size_t kRgbaBytes = 4;

std::string Sides(int width, int height) { return std::to_string(width) + " x " + std::to_string(height); }

std::string LevelName(int level) { return level == 0 ? "first level" : "MIP level " + std::to_string(level); }

// Level 0 is there whatever the count says, as it is for the exports; a lower level must be within
// both the stored count and the chain the sides allow, which also bounds the work of finding it.
void CheckLevel(const TextureAttributes& attributes, int level) {
    if (level == 0) return;
    const int levels = std::min(attributes.mipLevels, FullMipLevels(attributes.width, attributes.height));
    if (level < 0 || level >= levels) {
        throw PellitonError("it has no MIP level " + std::to_string(level) + ": its " + Sides(attributes.width, attributes.height) +
                            " texels have " + std::to_string(attributes.mipLevels) + " MIP levels" +
                            (levels < attributes.mipLevels ? ", of which " + std::to_string(levels) + " can exist" : ""));
    }
}

}  // namespace

TexturePictureRows::TexturePictureRows(const TreeTexture& texture, const ByteSource& file, int level)
    : file_(file),
      dataOffset_(0),
      width_(texture.attributes.width),
      height_(texture.attributes.height),
      fourCC_(0) {
    const TextureFormat& format = ExportedFormat(texture);
    // Stored signed: a negative side reads as a huge one and is refused with it.
    if (!SidesInRange(static_cast<std::uint32_t>(width_), static_cast<std::uint32_t>(height_))) {
        throw PellitonError(SidesOutOfRange(static_cast<std::uint32_t>(width_), static_cast<std::uint32_t>(height_),
                                            "texels"));
    }
    CheckLevel(texture.attributes, level);
    const int levelWidth = std::max(1, width_ >> level), levelHeight = std::max(1, height_ >> level);
    dataOffset_ = texture.data->BodyOffset();
    const auto dataSize = static_cast<std::uint64_t>(texture.data->size);
    if (format.layout == TexelLayout::Uncompressed) {
        // The TGA export holds the texels the window reads: level 0, then the lower levels after it.
        std::uint64_t before = 0;
        for (int above = 0; above < level; ++above) {
            before += static_cast<std::uint64_t>(std::max(1, width_ >> above)) *
                      static_cast<std::uint64_t>(std::max(1, height_ >> above));
        }
        const auto texels = static_cast<std::uint64_t>(levelWidth) * static_cast<std::uint64_t>(levelHeight);
        if (before + texels > static_cast<std::uint64_t>(UncompressedTexelCount(texture.data->size))) {
            throw PellitonError("its DATADATA of " + std::to_string(dataSize) + " bytes does not hold the " +
                                Sides(levelWidth, levelHeight) + " texels of its " + LevelName(level));
        }
        dataOffset_ += before * kRgbaBytes;
    } else {
        // As the DDS export holds them: the levels' blocks one after another, largest first.
        fourCC_ = dds::FourCC(format.fourCC);
        const std::uint64_t before = dds::MipChainBytes(fourCC_, width_, height_, level);
        const std::size_t levelBytes = dds::LevelBytes(fourCC_, levelWidth, levelHeight);
        if (before + levelBytes > dataSize) {
            throw PellitonError("its DATADATA of " + std::to_string(dataSize) + " bytes ends before the " +
                                std::to_string(levelBytes) + " bytes of its " + Sides(levelWidth, levelHeight) +
                                " texels" + (level == 0 ? "" : " of its " + LevelName(level)));
        }
        dataOffset_ += before;
        stored_.resize(dds::BlocksAlong(levelWidth) * dds::BlockBytes(fourCC_));
        decoded_.resize(static_cast<std::size_t>(levelWidth) * 4 * kRgbaBytes);
    }
    width_ = levelWidth;
    height_ = levelHeight;
}

void TexturePictureRows::ReadRow(int y, std::span<std::uint8_t> rgba) {
    const std::size_t rowBytes = static_cast<std::size_t>(width_) * kRgbaBytes;
    if (fourCC_ == 0) {
        // Stored as the picture's bytes are, red, green, blue, alpha, but the bottom row first.
        file_.ReadAt(dataOffset_ + static_cast<std::uint64_t>(height_ - 1 - y) * rowBytes, rgba.first(rowBytes));
        return;
    }
    if (y / 4 != decodedBlockRow_) DecodeBlockRow(y / 4);
    const auto row = decoded_.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(y % 4) * rowBytes);
    std::copy(row, row + static_cast<std::ptrdiff_t>(rowBytes), rgba.begin());
}

// Blocks at the right edge are cut to the picture's width; those at the bottom give fewer rows.
void TexturePictureRows::DecodeBlockRow(int blockRow) {
    file_.ReadAt(dataOffset_ + static_cast<std::uint64_t>(blockRow) * stored_.size(), stored_);
    const std::size_t blockBytes = dds::BlockBytes(fourCC_), rowBytes = static_cast<std::size_t>(width_) * kRgbaBytes;
    std::array<std::uint8_t, dxt::kRgbaBlockBytes> block;
    for (std::size_t column = 0; column * blockBytes < stored_.size(); ++column) {
        dxt::DecodeBlockRgba(fourCC_, &stored_[column * blockBytes], block);
        const std::size_t x = 4 * column, across = std::min<std::size_t>(4, static_cast<std::size_t>(width_) - x);
        for (std::size_t y = 0; y < 4; ++y) {
            std::copy_n(&block[4 * kRgbaBytes * y], across * kRgbaBytes, &decoded_[y * rowBytes + x * kRgbaBytes]);
        }
    }
    decodedBlockRow_ = blockRow;
}

RgbaPicture TexturePicture(const TreeTexture& texture, const ByteSource& file) {
    return TextureLevelPicture(texture, file, 0);
}

RgbaPicture TextureLevelPicture(const TreeTexture& texture, const ByteSource& file, int level) {
    TexturePictureRows rows(texture, file, level);
    RgbaPicture picture{rows.Width(), rows.Height(), {}};
    const std::size_t rowBytes = static_cast<std::size_t>(picture.width) * kRgbaBytes;
    picture.rgba.resize(rowBytes * static_cast<std::size_t>(picture.height));
    for (int y = 0; y < picture.height; ++y) {
        rows.ReadRow(y, std::span(picture.rgba).subspan(static_cast<std::size_t>(y) * rowBytes, rowBytes));
    }
    return picture;
}

}  // namespace pelliton
