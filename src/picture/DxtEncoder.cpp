// Encodes a picture as one level of DXT blocks with libsquish.
#include "picture/DxtEncoder.h"

#include <cassert>
#include <string>

#include <squish.h>

#include "common/DdsFormat.h"
#include "common/PellitonError.h"

namespace pelliton {

namespace {

int SquishFormat(std::uint32_t fourCC) {
    if (fourCC == dds::kDxt1) return static_cast<int>(squish::kDxt1);
    if (fourCC == dds::kDxt3) return static_cast<int>(squish::kDxt3);
    if (fourCC == dds::kDxt5) return static_cast<int>(squish::kDxt5);
    throw PellitonError("cannot encode the format " + dds::FourCCText(fourCC) +
                        "; only DXT1, DXT3 and DXT5 are encoded");
}

}  // namespace

std::vector<std::uint8_t> EncodeDxt(const RgbaPicture& picture, std::uint32_t fourCC) {
    assert(picture.rgba.size() ==
           static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height) * 4);
    // The flags are an unnamed enum: combined as int.
    const int flags = SquishFormat(fourCC) | static_cast<int>(squish::kColourIterativeClusterFit);
    const std::size_t levelBytes = dds::LevelBytes(fourCC, picture.width, picture.height);
    const int squishBytes = squish::GetStorageRequirements(picture.width, picture.height, flags);
    if (squishBytes < 0 || static_cast<std::size_t>(squishBytes) != levelBytes) {
        throw PellitonError("libsquish stores a " + std::to_string(picture.width) + " x " +
                            std::to_string(picture.height) + " " + dds::FourCCText(fourCC) + " level in " +
                            std::to_string(squishBytes) + " bytes, but the texture needs " +
                            std::to_string(levelBytes));
    }
    std::vector<std::uint8_t> blocks(levelBytes);
    squish::CompressImage(picture.rgba.data(), picture.width, picture.height, blocks.data(), flags);
    return blocks;
}

}  // namespace pelliton
