// Decodes true-colour and grey TGA files, uncompressed or run-length, into top-down RGBA pictures,
// reading the file a bounded piece at a time. Every size the header declares is checked against
// the file before the picture is allocated.
#include <algorithm>
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "common/Counted.h"
#include "common/TgaFormat.h"
#include "picture/FileChecks.h"
#include "picture/PictureFile.h"
#include "picture/SequentialReader.h"

namespace pelliton {

namespace {

// Puts stored pixels, in the order the file stores them, where they belong in a picture whose rows
// run top down and columns left to right, whatever origin the image descriptor declares.
class UprightPixels {
public:
    explicit UprightPixels(const tga::FileHeader& header)
        : header_(header),
          grey_(tga::IsGrey(header)),
          alphaAt_(header.PixelDepth == tga::kDepthRgba || header.PixelDepth == tga::kDepthGreyAlpha
                       ? tga::BytesPerPixel(header) - 1
                       : kNoAlpha) {
        picture_.width = tga::Width(header);
        picture_.height = tga::Height(header);
        picture_.rgba.resize(static_cast<std::size_t>(picture_.width) * static_cast<std::size_t>(picture_.height) * 4);
    }

    // One stored pixel: blue, green, red, then alpha when it has 32 bits; or grey, then alpha when
    // it has 16. The last byte is alpha whatever attribute bits the descriptor declares: our own
    // exports declare none, yet carry it.
    void Put(const std::uint8_t* stored) {
        const int row = tga::StoredRow(header_, storedRow_);
        const int column = tga::StoredColumn(header_, storedColumn_);
        const std::size_t texel =
            static_cast<std::size_t>(row) * static_cast<std::size_t>(picture_.width) + static_cast<std::size_t>(column);
        std::uint8_t* rgba = &picture_.rgba[texel * 4];
        if (grey_) {
            rgba[0] = rgba[1] = rgba[2] = stored[0];
        } else {
            rgba[0] = stored[2];
            rgba[1] = stored[1];
            rgba[2] = stored[0];
        }
        rgba[3] = alphaAt_ == kNoAlpha ? 0xFF : stored[alphaAt_];
        if (++storedColumn_ == picture_.width) {
            storedColumn_ = 0;
            ++storedRow_;
        }
    }

    RgbaPicture Take() { return std::move(picture_); }

private:
    static constexpr std::size_t kNoAlpha = 0;  // alpha is never a pixel's first byte

    tga::FileHeader header_;
    bool grey_;
    std::size_t alphaAt_;
    RgbaPicture picture_;
    int storedRow_ = 0;
    int storedColumn_ = 0;
};

// Unpacks run-length packets from data until the picture is full. A packet may cross rows but not
// the picture's end.
void UnpackRunLength(SequentialReader& data, std::size_t pixelCount, std::size_t bytesPerPixel,
                     UprightPixels& pixels, std::string_view name) {
    std::array<std::uint8_t, tga::kLargestPacket * 4> packetPixels{};
    std::size_t placed = 0;
    while (placed < pixelCount) {
        if (data.Remaining() == 0) {
            throw FileError(name, "the run-length pixels end after " + std::to_string(placed) + " of its " +
                                      Counted(pixelCount, "pixel", "pixels"));
        }
        const std::uint64_t packetAt = data.Position();
        std::uint8_t packet = 0;
        data.ReadExact(std::span(&packet, 1));
        const std::size_t count = (packet & tga::kPacketCountBits) + 1U;
        if (count > pixelCount - placed) {
            throw FileError(name, "the run-length packet at byte " + std::to_string(packetAt) + " holds " +
                                      std::to_string(count) + " pixels, but only " +
                                      Counted(pixelCount - placed, "pixel remains", "pixels remain") +
                                      " to fill the picture");
        }
        const bool isRun = (packet & tga::kRunPacket) != 0;
        const std::size_t packetBytes = isRun ? bytesPerPixel : count * bytesPerPixel;
        if (packetBytes > data.Remaining()) {
            throw FileError(name, "the file ends inside the run-length packet at byte " + std::to_string(packetAt));
        }
        data.ReadExact(std::span(packetPixels).first(packetBytes));
        for (std::size_t i = 0; i < count; ++i) pixels.Put(&packetPixels[isRun ? 0 : i * bytesPerPixel]);
        placed += count;
    }
}

}  // namespace

TgaPicture DecodeTga(const ByteSource& file, std::string_view name) {
    std::array<std::uint8_t, sizeof(tga::FileHeader)> headerBytes{};
    const auto available = static_cast<std::size_t>(std::min<std::uint64_t>(file.Size(), headerBytes.size()));
    const auto stored = std::span(headerBytes).first(available);
    file.ReadAt(0, stored);
    const auto header = ReadFileHeader<tga::FileHeader>(stored, name, "TGA");
    const int width = tga::Width(header);
    const int height = tga::Height(header);
    switch (tga::FindHeaderFault(header, tga::ImageTypesRead{.runLength = true, .grey = true})) {
        case tga::HeaderFault::kColourMap:
            throw FileError(name, "it has a colour map (type " + std::to_string(header.ColourMapType) +
                                      "); only true-colour and grey TGA files are read");
        case tga::HeaderFault::kImageType:
            throw FileError(name, "its TGA image type is " + std::to_string(header.ImageType) +
                                      "; only 2 (true-colour), 3 (grey), 10 (run-length true-colour) and 11 "
                                      "(run-length grey) are read");
        case tga::HeaderFault::kPixelDepth: {
            const bool grey = tga::IsGrey(header);
            throw FileError(name, std::string("its ") + (grey ? "grey" : "true-colour") + " pixels have " +
                                      std::to_string(header.PixelDepth) + " bits; only " +
                                      (grey ? "8 and 16" : "24 and 32") + " are read");
        }
        case tga::HeaderFault::kSides:
            throw FileError(name, SidesOutOfRange(width, height, kPictureSideUnit));
        case tga::HeaderFault::kNone:
            break;
    }
    const std::size_t pixelsAt = tga::PixelsOffset(header);  // the ID field is skipped
    if (pixelsAt > file.Size()) {
        throw FileError(name, "the file ends inside its " + std::to_string(header.IdLength) + "-byte ID field");
    }
    const std::uint64_t dataBytes = file.Size() - pixelsAt;
    const std::size_t bytesPerPixel = tga::BytesPerPixel(header);
    // At most 16384 x 16384 x 4 bytes: no overflow even where size_t has 32 bits.
    const std::size_t pixelCount = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    const std::string size = std::to_string(width) + " x " + std::to_string(height);

    if (!tga::IsRunLength(header)) {
        const std::size_t pixelBytes = pixelCount * bytesPerPixel;
        if (dataBytes < pixelBytes) {
            throw FileError(name, "it holds " + Counted(dataBytes, "byte", "bytes") + " of pixels, but " + size +
                                      " at " + std::to_string(header.PixelDepth) + " bits needs " +
                                      std::to_string(pixelBytes));
        }
        UprightPixels pixels(header);
        SequentialReader data(file, pixelsAt, kSequentialReadBytes);
        std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * bytesPerPixel);
        for (int r = 0; r < height; ++r) {
            data.ReadExact(row);
            for (std::size_t at = 0; at < row.size(); at += bytesPerPixel) pixels.Put(&row[at]);
        }
        return {pixels.Take(), ByteRange::Of(file, pixelsAt + pixelBytes, dataBytes - pixelBytes)};
    }

    // A packet is a header byte and at least one pixel, and makes at most 128 pixels.
    const std::uint64_t mostPixels = tga::kLargestPacket * (dataBytes / (1 + bytesPerPixel));
    if (pixelCount > mostPixels) {
        throw FileError(name, "the run-length packets in its " + Counted(dataBytes, "byte", "bytes") +
                                  " make at most " + std::to_string(mostPixels) + " pixels, but " + size + " needs " +
                                  std::to_string(pixelCount));
    }
    UprightPixels pixels(header);
    SequentialReader data(file, pixelsAt, kSequentialReadBytes);
    UnpackRunLength(data, pixelCount, bytesPerPixel, pixels, name);
    return {pixels.Take(), ByteRange::Of(file, file.Size(), 0)};
}

}  // namespace pelliton
