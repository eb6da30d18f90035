// The new content of one texture of an RSH file, made from a picture file a modder edited.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "common/FileSource.h"
#include "common/RowsReady.h"
#include "picture/RgbaPicture.h"
#include "picture/PictureKind.h"
#include "rsh/ChunkTreeEdit.h"
#include "rsh/TreeTextures.h"

namespace pelliton {

class TextureReplacement {
public:
    // Reads the image (UTF-8 path), a picture of the kind given, and makes the texture's new
    // content:
    // - a DDS image's texels as they are, with its format, sides and MIP levels;
    // - a TGA or PNG picture encoded to the texture's current format: DXT blocks with a full MIP
    //   chain, or uncompressed texels with the MIP count the texture had.
    // rshFile is the file the texture was read from. Throws PellitonError naming the problem.
    TextureReplacement(const TreeTexture& texture, const ByteSource& rshFile, const std::string& image,
                       PictureKind kind);
    TextureReplacement(const TextureReplacement&) = delete;
    TextureReplacement& operator=(const TextureReplacement&) = delete;
    TextureReplacement(TextureReplacement&&) = default;

    // New bodies for the texture's DATADATA, DATAATTR and (when it has one) DATAHEAD; they point
    // into this object.
    std::vector<BodyReplacement> Bodies() const;
    const TextureAttributes& Attributes() const { return attributes_; }
    const std::string& Name() const { return texture_->name; }
    // Whether the picture had alpha between transparent and opaque, which DXT1 cuts to one bit.
    bool AlphaCutToOneBit() const { return alphaCutToOneBit_; }

private:
    void TakeDds(const TreeTexture& texture, const ByteSource& rshFile, const std::string& image);
    void EncodePicture(const TreeTexture& texture, const std::string& image, bool isPng);
    void EncodePngWhileDecoding(const ByteSource& file, const std::string& image, std::uint32_t fourCC);
    // DXT blocks of the picture's full MIP chain; with decoded, as the picture's rows are decoded.
    void EncodeBlocks(const RgbaPicture& picture, std::uint32_t fourCC, const RowsReady* decoded = nullptr);

    const TreeTexture* texture_;
    TextureAttributes attributes_;
    std::unique_ptr<FileSource> ddsFile_;  // its texels are copied from it when the file is written
    std::vector<std::uint8_t> encoded_;
    ByteRange texels_;  // in ddsFile_ or encoded_
    std::vector<std::uint8_t> attrBody_;
    std::vector<std::uint8_t> headBody_;  // empty when the texture has no DATAHEAD
    bool alphaCutToOneBit_ = false;
};

}  // namespace pelliton
