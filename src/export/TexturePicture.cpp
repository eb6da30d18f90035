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
#include "rsh/TexelReading.h"

namespace pelliton {

namespace {

constexpr std::size_t kRgbaBytes = 4;

std::string Sides(int width, int height) { return std::to_string(width) + " x " + std::to_string(height); }

}  // namespace

TexturePictureRows::TexturePictureRows(const TreeTexture& texture, const ByteSource& file)
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
    dataOffset_ = texture.data->BodyOffset();
    const auto dataSize = static_cast<std::uint64_t>(texture.data->size);
    if (format.layout == TexelLayout::Uncompressed) {
        // The TGA export holds the texels the window reads; the picture takes level 0 of them.
        const auto texels = static_cast<std::uint64_t>(width_) * static_cast<std::uint64_t>(height_);
        if (texels > static_cast<std::uint64_t>(UncompressedTexelCount(texture.data->size))) {
            throw PellitonError("its DATADATA of " + std::to_string(dataSize) + " bytes does not hold the " +
                                Sides(width_, height_) + " texels of its first level");
        }
        return;
    }
    fourCC_ = dds::FourCC(format.fourCC);
    const std::size_t levelBytes = dds::LevelBytes(fourCC_, width_, height_);
    if (levelBytes > dataSize) {
        throw PellitonError("its DATADATA of " + std::to_string(dataSize) + " bytes ends before the " +
                            std::to_string(levelBytes) + " bytes of its " + Sides(width_, height_) + " texels");
    }
    stored_.resize(dds::BlocksAlong(width_) * dds::BlockBytes(fourCC_));
    decoded_.resize(static_cast<std::size_t>(width_) * 4 * kRgbaBytes);
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
    TexturePictureRows rows(texture, file);
    RgbaPicture picture{rows.Width(), rows.Height(), {}};
    const std::size_t rowBytes = static_cast<std::size_t>(picture.width) * kRgbaBytes;
    picture.rgba.resize(rowBytes * static_cast<std::size_t>(picture.height));
    for (int y = 0; y < picture.height; ++y) {
        rows.ReadRow(y, std::span(picture.rgba).subspan(static_cast<std::size_t>(y) * rowBytes, rowBytes));
    }
    return picture;
}

}  // namespace pelliton
