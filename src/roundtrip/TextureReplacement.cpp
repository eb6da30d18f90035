#include "roundtrip/TextureReplacement.h"

#include <algorithm>
#include <exception>
#include <thread>
#include <initializer_list>

#include "common/DdsFormat.h"
#include "common/InOrderWork.h"
#include "common/FileSource.h"
#include "common/PellitonError.h"
#include "common/Utf8Path.h"
#include "picture/DdsImage.h"
#include "picture/DxtEncoder.h"
#include "picture/MipChain.h"
#include "picture/PictureFile.h"
#include "rsh/TexelOrder.h"

namespace pelliton {

namespace {

// A copy of body whose first values are replaced; any bytes after them stay as they were.
std::vector<std::uint8_t> WithLongs(std::span<const std::uint8_t> body, std::initializer_list<std::int32_t> values) {
    std::vector<std::uint8_t> bytes(body.begin(), body.end());
    std::size_t at = 0;
    for (const std::int32_t value : values) {
        const auto bits = static_cast<std::uint32_t>(value);
        for (int shift = 0; shift < 32; shift += 8) bytes[at++] = static_cast<std::uint8_t>(bits >> shift);
    }
    return bytes;
}

// The image type a DDS format is stored as; DXT3 has two, and a texture keeps the one it has.
std::int32_t ImageTypeOf(std::uint32_t fourCC, std::int32_t currentType) {
    if (fourCC == dds::kDxt1) return kImageTypeDxt1;
    if (fourCC == dds::kDxt5) return kImageTypeDxt5;
    return currentType == kImageTypeDxt3 ? kImageTypeDxt3 : kImageTypeDxt3Game;
}

// Uncompressed texels as the file stores them: red, green, blue, alpha, the bottom row first.
void AppendStoredRows(const RgbaPicture& picture, std::vector<std::uint8_t>& out) {
    const auto rowBytes = static_cast<std::size_t>(picture.width) * 4;
    for (auto row = static_cast<std::size_t>(picture.height); row-- > 0;) {
        const auto begin = picture.rgba.begin() + static_cast<std::ptrdiff_t>(row * rowBytes);
        out.insert(out.end(), begin, begin + static_cast<std::ptrdiff_t>(rowBytes));
    }
}

bool HasPartialAlpha(const RgbaPicture& picture) {
    for (std::size_t alpha = 3; alpha < picture.rgba.size(); alpha += 4) {
        if (picture.rgba[alpha] != 0 && picture.rgba[alpha] != 0xFF) return true;
    }
    return false;
}

// Uncompressed texels of the picture and its lower levels. A TGA we exported carries the lower
// levels after its picture, in its own byte order: they go back as they were, not made anew, read
// from the TGA file straight into place.
std::vector<std::uint8_t> StoreUncompressedChain(const RgbaPicture& picture, int levels,
                                                 const ByteRange& trailingBytes) {
    std::vector<std::uint8_t> stored;
    AppendStoredRows(picture, stored);
    std::size_t lowerBytes = 0;
    for (int level = 1; level < levels; ++level) {
        lowerBytes += static_cast<std::size_t>(std::max(1, picture.width >> level)) *
                      static_cast<std::size_t>(std::max(1, picture.height >> level)) * 4;
    }
    if (levels > 1 && trailingBytes.source != nullptr && trailingBytes.length == lowerBytes) {
        const std::size_t start = stored.size();
        stored.resize(start + lowerBytes);
        trailingBytes.source->ReadAt(trailingBytes.offset, std::span(stored).subspan(start));
        SwapFirstAndThirdBytes(std::as_writable_bytes(std::span(stored).subspan(start)));
        return stored;
    }
    const std::vector<RgbaPicture> chain = MakeMipChain(picture, levels);
    for (std::size_t level = 1; level < chain.size(); ++level) AppendStoredRows(chain[level], stored);
    return stored;
}

}  // namespace

TextureReplacement::TextureReplacement(const TreeTexture& texture, const ByteSource& rshFile,
                                       const std::string& image, PictureKind kind)
    : texture_(&texture), attributes_(texture.attributes) {
    if (!texture.problem.empty()) {
        throw PellitonError(image + ": texture " + texture.name + " cannot be replaced: " + texture.problem);
    }
    if (kind == PictureKind::Dds) {
        TakeDds(texture, rshFile, image);
    } else {
        EncodePicture(texture, image, kind == PictureKind::Png);
    }
    attrBody_ = WithLongs(ReadChunkBody(rshFile, *texture.attr),
                          {attributes_.imageType, attributes_.width, attributes_.height, attributes_.mipLevels});
}

void TextureReplacement::TakeDds(const TreeTexture& texture, const ByteSource& rshFile, const std::string& image) {
    ddsFile_ = std::make_unique<FileSource>(image);
    const DdsImage dds = ReadDdsImage(*ddsFile_, image);
    texels_ = ByteRange::Of(*ddsFile_, dds.texelOffset, dds.texelBytes);
    attributes_.imageType = ImageTypeOf(dds.fourCC, texture.attributes.imageType);
    attributes_.width = dds.width;
    attributes_.height = dds.height;
    attributes_.mipLevels = dds.mipLevels;
    if (texture.head != nullptr) {
        headBody_ =
            WithLongs(ReadChunkBody(rshFile, *texture.head), {FindTextureFormat(attributes_.imageType)->headCode});
    }
}

void TextureReplacement::EncodePicture(const TreeTexture& texture, const std::string& image, bool isPng) {
    const TextureFormat* format = FindTextureFormat(texture.attributes.imageType);
    if (format == nullptr) {
        throw PellitonError(image + ": texture " + texture.name + " has image type " +
                            std::to_string(texture.attributes.imageType) +
                            ", an unknown texture format; only a DDS image can replace it");
    }
    const FileSource imageFile(image);
    if (isPng && format->layout == TexelLayout::BlockCompressed) {
        EncodePngWhileDecoding(imageFile, image, dds::FourCC(format->fourCC));
        return;
    }
    ByteRange trailingBytes;
    RgbaPicture picture;
    if (isPng) {
        picture = DecodePng(imageFile, image);
    } else {
        TgaPicture tga = DecodeTga(imageFile, image);
        picture = std::move(tga.picture);
        trailingBytes = tga.trailingBytes;
    }
    if (format->layout == TexelLayout::BlockCompressed) {
        EncodeBlocks(picture, dds::FourCC(format->fourCC));
    } else {
        attributes_.width = picture.width;
        attributes_.height = picture.height;
        const int levels = std::max(1, texture.attributes.mipLevels);
        if (levels > FullMipLevels(picture.width, picture.height)) {
            throw PellitonError(image + ": texture " + texture.name + " has " + std::to_string(levels) +
                                " MIP levels, more than a picture of " + std::to_string(picture.width) + " x " +
                                std::to_string(picture.height) + " has");
        }
        encoded_ = StoreUncompressedChain(picture, levels, trailingBytes);
        texels_ = ByteRange::InMemory(encoded_);
    }
}

void TextureReplacement::EncodeBlocks(const RgbaPicture& picture, std::uint32_t fourCC, const RowsReady* decoded) {
    attributes_.width = picture.width;
    attributes_.height = picture.height;
    attributes_.mipLevels = FullMipLevels(picture.width, picture.height);
    encoded_ = EncodeDxtChain(picture, fourCC, attributes_.mipLevels, CoreCount(), decoded);
    texels_ = ByteRange::InMemory(encoded_);
    // The chain is whole only once the picture is: then its alpha can be weighed.
    alphaCutToOneBit_ = fourCC == dds::kDxt1 && !encoded_.empty() && HasPartialAlpha(picture);
}

// Reading a large PNG takes as long as encoding it, on one core: the encoder starts on the rows
// already decoded while the rest are read.
void TextureReplacement::EncodePngWhileDecoding(const ByteSource& file, const std::string& image, std::uint32_t fourCC) {
    PngDecoding png(file, image);
    RgbaPicture picture = png.AllocatePicture();
    RowsReady decoded;
    std::exception_ptr encodeFailure;
    std::thread encoder([&] {
        try {
            EncodeBlocks(picture, fourCC, &decoded);
        } catch (...) {
            encodeFailure = std::current_exception();
        }
    });
    try {
        png.DecodeInto(picture, &decoded);
    } catch (...) {
        decoded.Abandon();
        encoder.join();
        throw;
    }
    encoder.join();
    if (encodeFailure) std::rethrow_exception(encodeFailure);
}

std::vector<BodyReplacement> TextureReplacement::Bodies() const {
    std::vector<BodyReplacement> bodies = {{texture_->data, texels_},
                                           {texture_->attr, ByteRange::InMemory(attrBody_)}};
    if (!headBody_.empty()) bodies.push_back({texture_->head, ByteRange::InMemory(headBody_)});
    return bodies;
}

}  // namespace pelliton
