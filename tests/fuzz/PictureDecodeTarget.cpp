// The picture readers on any bytes, each given the same input: TGA (true colour and grey), PNG and
// DDS (DX10 or not). A decoded picture also goes through the MIP chain, as the replace command sends it.
#include "common/DdsFormat.h"
#include "common/ImageSides.h"
#include "common/PellitonError.h"
#include "fuzz/FuzzTarget.h"
#include "picture/DdsImage.h"
#include "picture/MipChain.h"
#include "picture/PictureFile.h"

namespace pelliton::fuzz {

namespace {

void ExpectSoundPicture(const RgbaPicture& picture) {
    Expect(picture.width >= 1 && picture.height >= 1 &&
               SidesInRange(static_cast<std::uint32_t>(picture.width), static_cast<std::uint32_t>(picture.height)),
           "a decoded picture's sides are in the range every reader checks");
    Expect(
        picture.rgba.size() == static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height) * 4,
        "a decoded picture holds width * height * 4 bytes");
    const auto chain = MakeMipChain(picture, FullMipLevels(picture.width, picture.height));
    Expect(chain.back().width == 1 && chain.back().height == 1, "a full MIP chain ends in one texel");
}

}  // namespace

void FuzzOneInput(std::span<const std::uint8_t> input) {
    try {
        const MemorySource source(input);
        const TgaPicture tga = DecodeTga(source, "input");
        ExpectSoundPicture(tga.picture);
        Expect(tga.trailingBytes.source == &source && tga.trailingBytes.offset <= input.size() &&
                   tga.trailingBytes.length <= input.size() - tga.trailingBytes.offset,
               "a TGA file's trailing bytes lie inside the file");
    } catch (const PellitonError&) {
        // the one way a reader may refuse a file
    }
    try {
        ExpectSoundPicture(DecodePng(MemorySource(input), "input"));
    } catch (const PellitonError&) {
    }
    try {
        const DdsImage dds = ReadDdsImage(input, "input");
        Expect(dds::BlockBytes(dds.fourCC) != 0, "a DDS file, DX10 or not, is read as DXT1, DXT3 or DXT5");
        Expect(dds.texelOffset == sizeof(dds::FileHeader) ||
                   dds.texelOffset == sizeof(dds::FileHeader) + sizeof(dds::HeaderDxt10),
               "the DDS texels start after the header, or after its DX10 extension");
        Expect(dds.texelOffset + dds.texelBytes == input.size(), "the DDS texels fill the file after its header");
        Expect(dds.texelBytes == dds::MipChainBytes(dds.fourCC, dds.width, dds.height, dds.mipLevels),
               "the DDS texels are exactly their MIP chain");
        Expect(dds.mipLevels >= 1 && dds.mipLevels <= FullMipLevels(dds.width, dds.height),
               "a DDS file has 1 to the full count of MIP levels");
    } catch (const PellitonError&) {
    }
}

}  // namespace pelliton::fuzz
