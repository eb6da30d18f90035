// A MIP level of a texture as a picture of red, green, blue and alpha, top row first: DXT blocks
// decoded, uncompressed texels as they are stored.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "common/ByteSource.h"
#include "picture/RgbaPicture.h"
#include "rsh/TreeTextures.h"

namespace pelliton {

// The rows of one MIP level, read from the file a band at a time (a row of blocks, or a row of
// texels), so that a large texture is turned into a picture without being held whole. Lower levels
// follow level 0 in the data chunk, each halving both sides down to 1, stored as level 0 is.
class TexturePictureRows {
public:
    // Checks the texture as its DDS or TGA export does, that its sides are 1 to kLargestImageSide,
    // that level (0 the largest) is one of its MIP levels and that its data chunk holds that level
    // whole; throws PellitonError.
    TexturePictureRows(const TreeTexture& texture, const ByteSource& file, int level = 0);

    int Width() const { return width_; }
    int Height() const { return height_; }

    // Fills rgba (Width() x 4 bytes) with row y, 0 at the top. Rows are cheapest asked for from
    // the top down. Throws PellitonError when the file does not hold the row.
    void ReadRow(int y, std::span<std::uint8_t> rgba);

private:
    void DecodeBlockRow(int blockRow);

    const ByteSource& file_;
    std::uint64_t dataOffset_;
    int width_;
    int height_;
    std::uint32_t fourCC_;         // 0 for uncompressed texels
    std::vector<std::uint8_t> stored_;   // a row of blocks as stored
    std::vector<std::uint8_t> decoded_;  // its four rows of texels
    int decodedBlockRow_ = -1;
};

// The whole of level 0; throws PellitonError as TexturePictureRows does.
RgbaPicture TexturePicture(const TreeTexture& texture, const ByteSource& file);

// Level `level` (0 the largest) of texture as RGBA, top row first, decoded as level 0 is.
// Throws PellitonError for a level outside 0..mipLevels-1 or a data chunk that does not hold it.
RgbaPicture TextureLevelPicture(const TreeTexture& texture, const ByteSource& file, int level);

}  // namespace pelliton
