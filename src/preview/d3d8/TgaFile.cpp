// The TGA reader: pixels stored blue, green, red(, alpha), rows in the order the image descriptor
// declares; the texture always gets the top row first and the left column first.
#include "preview/d3d8/TgaFile.h"

#include <array>
#include <string>
#include <vector>

#include "common/LittleEndianReader.h"
#include "preview/d3d8/TextureLoadError.h"

namespace pelliton::d3d8 {

namespace {

constexpr std::size_t kTgaHeaderBytes = 18;
constexpr std::uint8_t kTgaNoColourMap = 0;
constexpr std::uint8_t kTgaTrueColour = 2;      // uncompressed; 10, run-length encoded, is refused
constexpr std::uint8_t kTgaRightToLeft = 0x10;  // image descriptor bit 4: first stored column is the rightmost
constexpr std::uint8_t kTgaTopToBottom = 0x20;  // image descriptor bit 5: first stored row is the top
constexpr std::uint8_t kTgaDepthRgb = 24;
constexpr std::uint8_t kTgaDepthRgba = 32;
constexpr std::size_t kTgaBytesPerPixelRgba = kTgaDepthRgba / 8;

// The fields of the stored header that the reader uses, named as our writer names them.
struct TgaHeader {
    std::uint8_t IdLength = 0;
    std::uint8_t ColourMapType = 0;
    std::uint8_t ImageType = 0;
    std::uint16_t ImageWidth = 0;
    std::uint16_t ImageHeight = 0;
    std::uint8_t PixelDepth = 0;
    std::uint8_t ImageDescriptor = 0;
};

TgaHeader DecodeTgaHeader(std::span<const std::uint8_t, kTgaHeaderBytes> bytes) {
    LittleEndianReader in(bytes);
    TgaHeader header;
    header.IdLength = in.UInt8();
    header.ColourMapType = in.UInt8();
    header.ImageType = in.UInt8();
    in.Skip(2 + 2 + 1 + 2 + 2);  // ColourMapFirstEntry, ColourMapLength, ColourMapEntrySize, XOrigin, YOrigin
    header.ImageWidth = in.UInt16();
    header.ImageHeight = in.UInt16();
    header.PixelDepth = in.UInt8();
    header.ImageDescriptor = in.UInt8();
    return header;
}

// Stored pixels to 0xAARRGGBB texels, rows top to bottom and columns left to right.
std::vector<D3DCOLOR> UprightTexels(std::span<const std::uint8_t> pixels, std::size_t width, std::size_t height,
                                    std::size_t bytesPerPixel, std::uint8_t descriptor) {
    const bool topToBottom = (descriptor & kTgaTopToBottom) != 0;
    const bool rightToLeft = (descriptor & kTgaRightToLeft) != 0;
    const std::size_t rowBytes = width * bytesPerPixel;
    std::vector<D3DCOLOR> texels;
    texels.reserve(width * height);
    for (std::size_t row = 0; row < height; ++row) {
        const std::size_t storedRow = topToBottom ? row : height - 1 - row;
        const auto rowPixels = pixels.subspan(storedRow * rowBytes, rowBytes);
        for (std::size_t column = 0; column < width; ++column) {
            const std::size_t storedColumn = rightToLeft ? width - 1 - column : column;
            const auto bgra = rowPixels.subspan(storedColumn * bytesPerPixel, bytesPerPixel);
            const D3DCOLOR alpha = bytesPerPixel == kTgaBytesPerPixelRgba ? bgra[3] : 0xFFU;
            texels.push_back(alpha << 24 | D3DCOLOR{bgra[2]} << 16 | D3DCOLOR{bgra[1]} << 8 | bgra[0]);
        }
    }
    return texels;
}

}  // namespace

std::shared_ptr<Direct3DTexture8> ReadTgaTexture(ImageFile& file) {
    // Without a magic of its own, a file that is no TGA we read is most likely no image we know.
    const auto unknownKind = [] {
        return InvalidTexture("it is neither a DDS file nor an uncompressed 24- or 32-bit TGA file");
    };
    std::array<std::uint8_t, kTgaHeaderBytes> headerBytes{};
    if (!file.ReadAt(0, headerBytes)) throw unknownKind();
    const TgaHeader header = DecodeTgaHeader(headerBytes);
    // A colour map would only need skipping, but nothing we read or write has one.
    if (header.ImageType != kTgaTrueColour || header.ColourMapType != kTgaNoColourMap) throw unknownKind();
    if (header.PixelDepth != kTgaDepthRgb && header.PixelDepth != kTgaDepthRgba) throw unknownKind();
    RequireSensibleTextureSize(header.ImageWidth, header.ImageHeight);

    const std::size_t bytesPerPixel = header.PixelDepth / 8U;
    const std::uint64_t pixelsAt = kTgaHeaderBytes + header.IdLength;  // the ID field is skipped
    const std::size_t pixelBytes = std::size_t{header.ImageWidth} * header.ImageHeight * bytesPerPixel;
    const auto endsEarly = [&] {
        return InvalidTexture("the file ends before the " + std::to_string(pixelBytes) + " bytes of its " +
                              std::to_string(header.ImageWidth) + " x " + std::to_string(header.ImageHeight) +
                              " pixels");
    };
    if (pixelsAt > file.Size() || pixelBytes > file.Size() - pixelsAt) throw endsEarly();

    UninitialisedBytes pixels(pixelBytes);
    if (!file.ReadAt(pixelsAt, pixels)) throw endsEarly();
    const DWORD format = header.PixelDepth == kTgaDepthRgba ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8;
    return MakeArgbTexture(
        header.ImageWidth, header.ImageHeight, format,
        UprightTexels(pixels, header.ImageWidth, header.ImageHeight, bytesPerPixel, header.ImageDescriptor));
}

}  // namespace pelliton::d3d8
